// Wraps one plug-in instance for a host binding: creates and describes it, keeps the activation
// state and is the bindings' only way to the plug-in. [main-thread] except runCycle [audio-thread]
// and the parameter value operations [any-thread]. No lock: the host keeps the audio thread out
// of the plug-in during activation, sample-rate and buffer-size changes.
#pragma once

#include "MidiMessage.h"
#include "ParameterInfo.h"
#include "Plugin.h"
#include "PluginData.h"
#include "PortInfo.h"

#include <cstdint>
#include <memory>

namespace Orvane {

class PluginAdapter {
public:
    // [main-thread]
    PluginAdapter(void* callbacksPtr, WriteMidiFunc writeMidiCall,
        RequestParameterChangeFunc requestParameterChangeCall,
        UpdateStateValueFunc updateStateValueCall);
    ~PluginAdapter();

    PluginAdapter(const PluginAdapter&) = delete;
    PluginAdapter& operator=(const PluginAdapter&) = delete;

    // [any-thread] Everything up to setParameterValue: what creation described, read-only after.
    // Null only when the build's factory gave no plug-in.
    Plugin* plugin() const noexcept { return fPlugin.get(); }
    PluginData* data() const noexcept { return fData; }

    uint32_t bufferSize() const noexcept;
    double sampleRate() const noexcept;
    bool isActive() const noexcept { return fIsActive; }

    // [any-thread] The audio thread's drop counts (lock-free); nothing is counted without a
    // plug-in.
    void countDrop(Drop kind, uint64_t count = 1) noexcept
    {
        if (fData != nullptr)
            fData->drops.add(kind, count);
    }
    uint64_t dropCount(Drop kind) const noexcept
    {
        return fData != nullptr ? fData->drops.count(kind) : 0;
    }

    // Ports: `index` counts within inputs or outputs; a bad index answers a static default port.
    const AudioPortInfo& audioPort(bool isInput, uint32_t index) const noexcept;

    // Parameter queries; an index at or beyond the count answers a static default record.
    uint32_t parameterCount() const noexcept;
    uint32_t parameterHints(uint32_t index) const noexcept;
    const String& parameterName(uint32_t index) const noexcept;
    const String& parameterShortName(uint32_t index) const noexcept;
    const String& parameterSymbol(uint32_t index) const noexcept;
    const String& parameterUnit(uint32_t index) const noexcept;
    const String& parameterDescription(uint32_t index) const noexcept;
    const ValueRange& parameterRanges(uint32_t index) const noexcept;
    const EnumValueList& parameterEnumValues(uint32_t index) const noexcept;
    uint32_t parameterGroupId(uint32_t index) const noexcept;
    uint32_t parameterDesignation(uint32_t index) const noexcept;
    uint8_t parameterMidiCC(uint32_t index) const noexcept;
    bool isReadOnlyParameter(uint32_t index) const noexcept;
    bool isParameterOutputOrTrigger(uint32_t index) const noexcept;
    float parameterValue(uint32_t index) const noexcept;
    void setParameterValue(uint32_t index, float value) noexcept;
    // [audio-thread] A value that arrives inside the host's process call; never waits.
    void setParameterValueInProcess(uint32_t index, float value) noexcept;

    // [any-thread] The plug-in's monitor values (Plugin.h); an index past the count reads 0.
    uint32_t monitorCount() const noexcept;
    int32_t monitorValue(uint32_t index) const noexcept;

    // [any-thread]
    uint32_t portGroupCount() const noexcept;
    // An id that no group has answers an empty group with id GroupNone.
    const PortGroupInfo& portGroupById(uint32_t groupId) const noexcept;

    // [main-thread]
    void enable();
    void disable();
    // With notify, an active plug-in is deactivated around the change notification.
    void changeSampleRate(double sampleRate, bool notify);
    void changeBufferSize(uint32_t bufferSize, bool notify);

    // [audio-thread] The transport of the next block, then the block itself. The first block of
    // an inactive adapter activates it.
    void setTransportInfo(const TransportInfo& transport) noexcept;
    void runCycle(const float* const* inputs, float** outputs, uint32_t frames,
        const MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept;

private:
    std::unique_ptr<Plugin> fPlugin;
    PluginData* fData;
    bool fIsActive;

    const ParameterInfo& parameter(uint32_t index) const noexcept;
    void describePorts();
    void describeParameters();
    void describePortGroups();
};

} // namespace Orvane
