// Owns the plug-in's groove patch: creates it with its hooks, rebuilds it for a new sample rate,
// posts parameter values and frame-addressed messages into it and has it render. Without a patch
// (its creation failed) every post is refused and blocks render silence. Creation and rebuild on
// the main thread; postParameter on any thread; post and render on the audio thread.
#pragma once

#include "PatchMessageSink.h"

#include <cstdint>

class Krell_Vantorel;

namespace Orvane {

class PatchLink final : public PatchMessageSink {
public:
    // `owner` is handed to the patch as its owner pointer.
    explicit PatchLink(void* owner) noexcept;
    ~PatchLink();

    PatchLink(const PatchLink&) = delete;
    PatchLink& operator=(const PatchLink&) = delete;

    // [main-thread] Replaces the patch by a fresh one at `sampleRate`; false when none could be
    // created.
    bool rebuild(double sampleRate) noexcept;
    bool hasPatch() const noexcept { return fPatch != nullptr; }

    // [any-thread] False when the patch refused the value (or there is no patch).
    [[nodiscard]] bool postParameter(uint32_t receiverHash, float value) noexcept;
    // [audio-thread]
    [[nodiscard]] bool post(const PatchPost& message) noexcept override;
    void render(float** outputs, uint32_t frames) noexcept;

private:
    Krell_Vantorel* fPatch = nullptr;
    void* const fOwner;
    double fSampleRate = 0.0;

    void release() noexcept;
};

} // namespace Orvane
