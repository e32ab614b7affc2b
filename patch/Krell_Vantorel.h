// The groove patch: a context that turns MIDI clock ticks and six parameter values into a
// two-channel tabla groove. Posting (inherited) may happen on any thread; creation, destruction
// and the table operations on the host's main thread; process operations on the audio thread.
#pragma once

#include <cstdint>

#include "GrooveGraph.h"
#include "StrokeTables.h"
#include "runtime/KrellContext.h"
#include "runtime/Table.h"

class Krell_Vantorel : public KrellContext {
public:
    // Only createPatch constructs a patch: a failed table allocation leaves it incomplete.
    Krell_Vantorel(uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate);
    ~Krell_Vantorel() override;

    const char* patchName() override;
    int inputChannelCount() override;
    int outputChannelCount() override;
    int processBlock(const float* const* inputs, float* const* outputs, int frames) override;
    int processContiguous(const float* input, float* output, int frames) override;
    int processInterleaved(const float* input, float* output, int frames) override;
    int parameterInfo(int index, PatchParameterInfo* info) override;
    Table* findTable(uint32_t tableHash) override;
    void routeToReceiver(uint32_t receiverHash, const Message* message) override;

    // Whether every stroke table was allocated.
    bool isComplete() const noexcept { return fComplete; }

private:
    friend GrooveGraph& graphOf(KrellContextInterface* context) noexcept;

    // The first frame after `frame` at which a queued message is due, at most `frames`.
    int nextDueFrame(int frame, int frames) noexcept;
    // Advances the voices and writes the mix for n frames in which no message is due.
    void renderFrames(float* left, float* right, int n) noexcept;

    GrooveGraph fGraph;
    float fSlots[kVoiceCount] = {};  // each voice's output for the current frame
    Table fTables[kStrokeTableCount];
    bool fComplete = true;
};

// Constructs a patch in storage from the C allocator. Null when any allocation fails; nothing is
// left allocated then.
Krell_Vantorel* createPatch(uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate);
// Destroys a patch made by createPatch; null is ignored.
void destroyPatch(Krell_Vantorel* patch);
