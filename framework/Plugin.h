// Base class of a plug-in: the framework asks it who it is, has it describe its ports and
// parameters [main-thread] (once per instance), and has it render audio blocks [audio-thread].
#pragma once

#include "DropCounters.h"
#include "MidiMessage.h"
#include "ParameterInfo.h"
#include "PortInfo.h"
#include "TransportInfo.h"

#include <cstdint>
#include <memory>

namespace Orvane {

struct PluginData;

class Plugin {
public:
    // Reads the process-wide pending values (PendingValues.h). Programs and states are not
    // supported by this build: non-zero counts only print a warning.
    Plugin(uint32_t parameterCount, uint32_t programCount, uint32_t stateCount);
    virtual ~Plugin();

    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // [any-thread]
    uint32_t bufferSize() const noexcept;
    double sampleRate() const noexcept;
    // [audio-thread] The transport of the block being rendered.
    const TransportInfo& transportInfo() const noexcept;
    // [audio-thread] Inside renderBlock: hands the message to the binding; false when it refused
    // it or when the binding gave no MIDI output.
    [[nodiscard]] bool emitMidi(const MidiMessage& message) noexcept;
    // [any-thread] What the audio thread dropped (counted lock-free).
    DropCounters& drops() noexcept;

    // Identity [main-thread].
    virtual const char* displayName() const;
    virtual const char* label() const = 0;
    virtual const char* description() const;
    virtual const char* maker() const = 0;
    virtual const char* homePage() const;
    virtual const char* license() const = 0;
    virtual uint32_t version() const = 0;
    virtual int64_t uniqueId() const = 0;

protected:
    // Descriptions [main-thread] (once per instance). `index` counts within inputs or outputs.
    virtual void describeAudioPort(bool isInput, uint32_t index, AudioPortInfo& port);
    virtual void describeParameter(uint32_t index, ParameterInfo& parameter);
    virtual void describePortGroup(uint32_t groupId, PortGroupInfo& portGroup);

    // [any-thread] Parameter values: callers keep the index below the parameter count.
    virtual float parameterValue(uint32_t index) const noexcept;
    virtual void applyParameter(uint32_t index, float value) noexcept;
    // [any-thread] Monitor values: small whole numbers the plug-in publishes for its editor to
    // show (where a sequence stands, say), read lock-free by the binding on the editor's timer.
    // They are not parameters: hosts never see them.
    virtual uint32_t monitorCount() const noexcept;
    virtual int32_t monitorValue(uint32_t index) const noexcept;

    // [audio-thread] A value that arrives inside the host's process call (its events, the
    // editor's queue). By default applied like any other; a plug-in whose applyParameter may wait
    // overrides it to take the value over at its next block without waiting.
    virtual void applyParameterInProcess(uint32_t index, float value) noexcept;

    // [main-thread] While the audio thread is not running the plug-in.
    virtual void onActivate();
    virtual void onDeactivate();

    // [audio-thread] Renders `frames` frames; must not allocate, lock or wait.
    virtual void renderBlock(const float* const* inputs, float** outputs, uint32_t frames,
        const MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept = 0;

    // [main-thread] Between onDeactivate and onActivate when the instance is active.
    virtual void onBufferSizeChange(uint32_t newBufferSize);
    virtual void onSampleRateChange(double newSampleRate);

private:
    const std::unique_ptr<PluginData> fData;

    friend class PluginAdapter;
};

// [main-thread] Implemented once per build by the plug-in class: returns a new plug-in, or throws
// when it cannot be constructed.
Plugin* createPlugin();

} // namespace Orvane
