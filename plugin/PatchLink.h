// Owns the plug-in's groove patch: creates it with its hooks, rebuilds it for a new sample rate,
// posts parameter values and frame-addressed messages into it and has it render, counting what
// the patch refused. Without a patch (its creation failed) every post is refused and blocks render
// silence. Creation and rebuild on the main thread; postParameter on any thread; receiveInput,
// post and render on the audio thread.
#pragma once

#include "DropCounters.h"
#include "PatchMessageSink.h"

#include <cstdint>

class Krell_Vantorel;

namespace Orvane {

class PatchLink final : public PatchMessageSink {
public:
    // `owner` is handed to the patch as its owner pointer; refusals are counted in `drops`.
    PatchLink(void* owner, DropCounters& drops) noexcept;
    ~PatchLink();

    PatchLink(const PatchLink&) = delete;
    PatchLink& operator=(const PatchLink&) = delete;

    // [main-thread] Replaces the patch by a fresh one at `sampleRate`; false when none could be
    // created.
    bool rebuild(double sampleRate) noexcept;
    bool hasPatch() const noexcept { return fPatch != nullptr; }

    // [any-thread] Through the patch's input pipe, which serialises its writers on a spin lock:
    // not for the audio thread. False when the pipe is full (or there is no patch).
    [[nodiscard]] bool postParameter(uint32_t receiverHash, float value) noexcept;
    // [audio-thread] Takes in what other threads posted; call it at the start of a block, before
    // post, so that their posts keep coming first.
    void receiveInput() noexcept;
    // [audio-thread] Lock-free: straight into the patch's scheduler. False when it refused.
    [[nodiscard]] bool post(const PatchPost& message) noexcept override;
    // [audio-thread]
    void render(float** outputs, uint32_t frames) noexcept;
    // [audio-thread] The cell of the drum's latest step (Krell_Vantorel::latestStepCell); -1
    // without a patch.
    int latestStepCell(int drum) const noexcept;

private:
    Krell_Vantorel* fPatch = nullptr;
    void* const fOwner;
    DropCounters& fDrops;
    double fSampleRate = 0.0;
    // The patch's refused schedules already counted in fDrops.
    uint64_t fCountedRefusals = 0;

    void release() noexcept;
};

} // namespace Orvane
