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
    // Use createPatch, which checks isComplete(): a failed allocation leaves the patch incomplete.
    Krell_Vantorel(
        uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate);
    ~Krell_Vantorel() override;

    const char* patchName() noexcept override;
    int inputChannelCount() noexcept override;
    int outputChannelCount() noexcept override;
    int processBlock(
        const float* const* inputs, float* const* outputs, int frames) noexcept override;
    int processContiguous(const float* input, float* output, int frames) noexcept override;
    int processInterleaved(const float* input, float* output, int frames) noexcept override;
    int parameterInfo(int index, PatchParameterInfo* info) noexcept override;
    Table* findTable(uint32_t tableHash) noexcept override;
    void routeToReceiver(uint32_t receiverHash, const Message* message) noexcept override;

    // [audio-thread] Where each drum stands in its cycle: the cell (0 to Length - 1) of its latest
    // step, a rest included; -1 before its first step. It stays while no tick arrives.
    int latestStepCell(int drum) const noexcept;

    // Whether every stroke table was allocated and the initialisation could be scheduled.
    bool isComplete() const noexcept { return fComplete; }

private:
    friend GrooveGraph& graphOf(KrellContextInterface* context) noexcept;

    // The first frame after `frame` at which a queued message is due, at most `frames`.
    int nextDueFrame(int frame, int frames) noexcept;
    // Advances the voices and writes the mix for n frames in which no message is due. The voices
    // do not interact and nothing listens to them between frames, so each runs its n frames in
    // one go before the frames are mixed: the same result as frame by frame, at less cost.
    void renderFrames(float* left, float* right, int n) noexcept;

    // Voices render up to this many frames at a time between messages.
    static constexpr int kRenderFrames = 64;

    GrooveGraph fGraph;
    // Each voice's output for the frames being rendered; the mix reads one frame of all twelve.
    float fSlots[kVoiceCount][kRenderFrames] = {};
    Table fTables[kStrokeTableCount];
    bool fComplete = true;
};

// Constructs a patch in storage from the C allocator. Null when any allocation fails (storage,
// pool, input pipe, tables); nothing is left allocated then.
Krell_Vantorel* createPatch(
    uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate);
// Destroys a patch made by createPatch; null is ignored.
void destroyPatch(Krell_Vantorel* patch);
