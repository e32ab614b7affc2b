// The Vantorel plug-in: describes itself and its six parameters to the framework, and bridges
// parameters, host transport and MIDI into the groove patch, which renders each block.
// Description and sample-rate changes on the main thread; renderBlock on the audio thread;
// parameter values on any thread.
#pragma once

#include "PatchLink.h"
#include "Plugin.h"
#include "TransportClock.h"
#include "VantorelParameters.h"

#include <atomic>
#include <cstdint>

namespace Orvane {

class KrellZEF_Vantorel final : public Plugin {
public:
    KrellZEF_Vantorel();

    const char* label() const override;
    const char* maker() const override;
    const char* license() const override;
    uint32_t version() const override;
    int64_t uniqueId() const override;

    // An index of 6 or more and a value that is not finite are ignored. Otherwise the value is
    // stored and posted to its patch receiver unclamped (callers deliver values in range); a post
    // the patch refuses (its input pipe is full) is made again at the start of the next block.
    // [any-thread] Posts through the patch's input pipe (a spin lock): not for the audio thread.
    void applyParameter(uint32_t index, float value) noexcept override;
    // [audio-thread] Stores the value like applyParameter; the next block schedules it without a
    // lock, after what other threads posted before it.
    void applyParameterInProcess(uint32_t index, float value) noexcept override;
    float parameterValue(uint32_t index) const noexcept override;

    // Two monitor values, kDayanStepMonitor and kBayaStepMonitor: the cell of each drum's latest
    // step in its cycle (0 to Length - 1, a rest included), -1 before its first step. They keep
    // their value while the transport stands still.
    static constexpr uint32_t kDayanStepMonitor = 0, kBayaStepMonitor = 1;
    uint32_t monitorCount() const noexcept override;
    int32_t monitorValue(uint32_t index) const noexcept override;

protected:
    void describeParameter(uint32_t index, ParameterInfo& parameter) override;

    void renderBlock(const float* const* inputs, float** outputs, uint32_t frames,
        const MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept override;

    // The new patch starts from the current values; whatever the old one had scheduled is lost.
    void onSampleRateChange(double newSampleRate) override;

private:
    // Plain stores from whichever thread sets a value; relaxed atomics keep them tear-free.
    std::atomic<float> fValues[kVantorelParameterCount];
    // Values the audio thread posts at its next block: set in process, or refused by the pipe.
    std::atomic<bool> fPostPending[kVantorelParameterCount] = {};
    // Written by the audio thread after each block, read by the editor's timer.
    std::atomic<int32_t> fStepCells[2] = {-1, -1};
    TransportClock fClock;
    PatchLink fPatch;

    static bool usable(uint32_t index, float value) noexcept;
    void postValue(uint32_t index) noexcept;
    void postCurrentValues() noexcept;
    // [audio-thread] After the patch took in its input.
    void postPendingValues() noexcept;
};

} // namespace Orvane
