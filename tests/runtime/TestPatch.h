// A minimal patch for testing the context's block loop: two receivers that record every
// delivery with the frame it happened at, and one table. Audio-side calls from one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/KrellContext.h"
#include "runtime/Message.h"
#include "runtime/Table.h"

struct Delivery {
    int receiver; // 0: "first", 1: "second"
    int inlet;
    uint32_t frame; // absolute sample index at which it was delivered
    uint32_t timestamp;
    float value; // element 0 when it is a float, else 0
    std::string text; // the last element when it is a symbol
};

class TestPatch : public KrellContext {
public:
    static constexpr uint32_t kFirst = hashString("first");
    static constexpr uint32_t kSecond = hashString("second");
    static constexpr uint32_t kTable = hashString("samples");

    explicit TestPatch(uint32_t poolKiB = 10, uint32_t inputKiB = 6, uint32_t outputKiB = 2,
        double sampleRate = 48000.0);

    const char* patchName() noexcept override { return "test"; }
    int inputChannelCount() noexcept override { return 0; }
    int outputChannelCount() noexcept override { return 1; }
    int processBlock(const float* const* inputs, float* const* outputs, int n) noexcept override;
    int processContiguous(const float* input, float* output, int n) noexcept override;
    int processInterleaved(const float* input, float* output, int n) noexcept override;
    int parameterInfo(int index, PatchParameterInfo* info) noexcept override;
    Table* findTable(uint32_t tableHash) noexcept override;
    void routeToReceiver(uint32_t receiverHash, const Message* message) noexcept override;

    // Renders n frames without output buffers.
    void run(int n);
    // Moves the clock on by any number of samples, as that many silent frames would.
    void skipSamples(uint64_t samples);
    MessageQueue& queue() { return scheduler(); }

    static void receiveFirst(KrellContextInterface* context, int inlet, const Message* m) noexcept;
    static void receiveSecond(KrellContextInterface* context, int inlet, const Message* m) noexcept;

    std::vector<Delivery> deliveries;
    // Called after recording each delivery, to act from inside a dispatch.
    void (*onDelivery)(TestPatch& patch, const Message* m) = nullptr;

private:
    void record(int receiver, int inlet, const Message* m);

    Table fTable;
    int fFrame = 0;
};
