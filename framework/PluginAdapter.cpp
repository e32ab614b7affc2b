// Wraps one plug-in instance for a host binding. Main thread, except runCycle and
// setTransportInfo (audio thread) and the parameter value operations (any thread).
#include "PluginAdapter.h"

#include "AudioAssertions.h"
#include "NumericHelpers.h"
#include "OrvanePluginInfo.h"
#include "SoftAssert.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Orvane {

namespace {

constexpr uint32_t kInputCount = ORVANE_PLUGIN_NUM_INPUTS;
constexpr uint32_t kOutputCount = ORVANE_PLUGIN_NUM_OUTPUTS;

const ParameterInfo& fallbackParameter() noexcept
{
    static const ParameterInfo parameter;
    return parameter;
}

const PortGroupInfo& fallbackPortGroup() noexcept
{
    static const PortGroupInfo group;
    return group;
}

const AudioPortInfo& fallbackAudioPort() noexcept
{
    static const AudioPortInfo port;
    return port;
}

} // namespace

PluginAdapter::PluginAdapter(void* callbacksPtr, WriteMidiFunc writeMidiCall,
    RequestParameterChangeFunc requestParameterChangeCall,
    UpdateStateValueFunc updateStateValueCall)
    : fPlugin(createPlugin()), fData(fPlugin != nullptr ? fPlugin->fData.get() : nullptr),
      fIsActive(false)
{
    if (!ORVANE_CHECK(fPlugin != nullptr))
        return;
    if (!ORVANE_CHECK(fData != nullptr))
        return;

    describePorts();
    describeParameters();
    describePortGroups();

    fData->callbacksPtr = callbacksPtr;
    fData->writeMidiCallbackFunc = writeMidiCall;
    fData->requestParameterChangeCallbackFunc = requestParameterChangeCall;
    fData->updateStateValueCallbackFunc = updateStateValueCall;
}

PluginAdapter::~PluginAdapter() = default;

void PluginAdapter::describePorts()
{
    for (uint32_t i = 0; i < kInputCount; ++i)
        fPlugin->describeAudioPort(true, i, fData->audioPorts[i]);
    for (uint32_t i = 0; i < kOutputCount; ++i)
        fPlugin->describeAudioPort(false, i, fData->audioPorts[kInputCount + i]);
}

void PluginAdapter::describeParameters()
{
    for (uint32_t i = 0; i < fData->parameterCount; ++i)
        fPlugin->describeParameter(i, fData->parameters[i]);
}

// Groups are numbered by the plug-in from 0; ids at or beyond the number of groups in use get
// the framework's own texts (the predefined mono and stereo groups).
void PluginAdapter::describePortGroups()
{
    std::vector<uint32_t> groupIds;
    for (uint32_t i = 0; i < kInputCount + kOutputCount; ++i)
        groupIds.push_back(fData->audioPorts[i].groupId);
    for (uint32_t i = 0; i < fData->parameterCount; ++i)
        groupIds.push_back(fData->parameters[i].groupId);
    groupIds.erase(std::remove(groupIds.begin(), groupIds.end(), GroupNone), groupIds.end());
    std::sort(groupIds.begin(), groupIds.end());
    groupIds.erase(std::unique(groupIds.begin(), groupIds.end()), groupIds.end());
    if (groupIds.empty())
        return;

    const uint32_t count = static_cast<uint32_t>(groupIds.size());
    fData->portGroups.reset(new PortGroupInfo[count]);
    fData->portGroupCount = count;
    for (uint32_t i = 0; i < count; ++i) {
        PortGroupInfo& group = fData->portGroups[i];
        group.groupId = groupIds[i];
        if (group.groupId < count)
            fPlugin->describePortGroup(group.groupId, group);
        else
            fPlugin->Plugin::describePortGroup(group.groupId, group);
    }
}

uint32_t PluginAdapter::bufferSize() const noexcept
{
    if (!ORVANE_CHECK(fData != nullptr))
        return 0;
    return fData->bufferSize;
}

double PluginAdapter::sampleRate() const noexcept
{
    if (!ORVANE_CHECK(fData != nullptr))
        return 0.0;
    return fData->sampleRate;
}

const AudioPortInfo& PluginAdapter::audioPort(bool isInput, uint32_t index) const noexcept
{
    const uint32_t count = isInput ? kInputCount : kOutputCount;
    if (!ORVANE_CHECK_UINT2(fData != nullptr && index < count, index, count))
        return fallbackAudioPort();
    return fData->audioPorts[isInput ? index : kInputCount + index];
}

uint32_t PluginAdapter::parameterCount() const noexcept
{
    return fData != nullptr ? fData->parameterCount : 0;
}

const ParameterInfo& PluginAdapter::parameter(uint32_t index) const noexcept
{
    if (!ORVANE_CHECK(fData != nullptr && index < fData->parameterCount))
        return fallbackParameter();
    return fData->parameters[index];
}

uint32_t PluginAdapter::parameterHints(uint32_t index) const noexcept
{
    return parameter(index).hints;
}

const String& PluginAdapter::parameterName(uint32_t index) const noexcept
{
    return parameter(index).name;
}

const String& PluginAdapter::parameterShortName(uint32_t index) const noexcept
{
    return parameter(index).shortName;
}

const String& PluginAdapter::parameterSymbol(uint32_t index) const noexcept
{
    return parameter(index).symbol;
}

const String& PluginAdapter::parameterUnit(uint32_t index) const noexcept
{
    return parameter(index).unit;
}

const String& PluginAdapter::parameterDescription(uint32_t index) const noexcept
{
    return parameter(index).description;
}

const ValueRange& PluginAdapter::parameterRanges(uint32_t index) const noexcept
{
    return parameter(index).ranges;
}

const EnumValueList& PluginAdapter::parameterEnumValues(uint32_t index) const noexcept
{
    return parameter(index).enumValues;
}

uint32_t PluginAdapter::parameterGroupId(uint32_t index) const noexcept
{
    return parameter(index).groupId;
}

uint32_t PluginAdapter::parameterDesignation(uint32_t index) const noexcept
{
    return parameter(index).designation;
}

uint8_t PluginAdapter::parameterMidiCC(uint32_t index) const noexcept
{
    return parameter(index).midiCC;
}

bool PluginAdapter::isReadOnlyParameter(uint32_t index) const noexcept
{
    return (parameter(index).hints & HintOutput) != 0;
}

bool PluginAdapter::isParameterOutputOrTrigger(uint32_t index) const noexcept
{
    return parameter(index).isOutputOrTrigger();
}

float PluginAdapter::parameterValue(uint32_t index) const noexcept
{
    if (!ORVANE_CHECK(fData != nullptr && index < fData->parameterCount))
        return 0.0f;
    return fPlugin->parameterValue(index);
}

uint32_t PluginAdapter::monitorCount() const noexcept
{
    return fPlugin != nullptr ? fPlugin->monitorCount() : 0;
}

int32_t PluginAdapter::monitorValue(uint32_t index) const noexcept
{
    return index < monitorCount() ? fPlugin->monitorValue(index) : 0;
}

void PluginAdapter::setParameterValue(uint32_t index, float value) noexcept
{
    if (!ORVANE_CHECK(fData != nullptr && index < fData->parameterCount))
        return;
    fPlugin->applyParameter(index, value);
}

void PluginAdapter::setParameterValueInProcess(uint32_t index, float value) noexcept
{
    if (fData != nullptr && index < fData->parameterCount)
        fPlugin->applyParameterInProcess(index, value);
}

uint32_t PluginAdapter::portGroupCount() const noexcept
{
    return fData != nullptr ? fData->portGroupCount : 0;
}

const PortGroupInfo& PluginAdapter::portGroupById(uint32_t groupId) const noexcept
{
    if (!ORVANE_CHECK(fData != nullptr && fData->portGroupCount != 0))
        return fallbackPortGroup();
    for (uint32_t i = 0; i < fData->portGroupCount; ++i) {
        if (fData->portGroups[i].groupId == groupId)
            return fData->portGroups[i];
    }
    return fallbackPortGroup();
}

void PluginAdapter::enable()
{
    if (!ORVANE_CHECK(fPlugin != nullptr))
        return;
    // The condition's text is part of the printed assertion line.
    // clang-format off
    if (!ORVANE_CHECK(! fIsActive))
        return;
    // clang-format on
    fIsActive = true;
    fPlugin->onActivate();
}

void PluginAdapter::disable()
{
    if (!ORVANE_CHECK(fPlugin != nullptr))
        return;
    if (!ORVANE_CHECK(fIsActive))
        return;
    fIsActive = false;
    fPlugin->onDeactivate();
    fData->drops.reportNew();
}

// A rate that is not positive is reported and refused: the plug-in divides by it.
void PluginAdapter::changeSampleRate(double sampleRate, bool notify)
{
    if (!ORVANE_CHECK(fData != nullptr))
        return;
    if (!ORVANE_CHECK(sampleRate > 0.0))
        return;
    if (d_isEqual(fData->sampleRate, sampleRate))
        return;

    fData->sampleRate = sampleRate;
    if (!notify)
        return;
    if (fIsActive)
        fPlugin->onDeactivate();
    fPlugin->onSampleRateChange(sampleRate);
    if (fIsActive)
        fPlugin->onActivate();
}

void PluginAdapter::changeBufferSize(uint32_t bufferSize, bool notify)
{
    if (!ORVANE_CHECK(fData != nullptr))
        return;
    ORVANE_CHECK(bufferSize >= 2);
    if (fData->bufferSize == bufferSize)
        return;

    fData->bufferSize = bufferSize;
    if (!notify)
        return;
    if (fIsActive)
        fPlugin->onDeactivate();
    fPlugin->onBufferSizeChange(bufferSize);
    if (fIsActive)
        fPlugin->onActivate();
}

void PluginAdapter::setTransportInfo(const TransportInfo& transport) noexcept
{
    if (!ORVANE_AUDIO_CHECK(fData != nullptr))
        return;
    fData->transport = transport;
}

void PluginAdapter::runCycle(const float* const* inputs, float** outputs, uint32_t frames,
    const MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept
{
    if (!ORVANE_AUDIO_CHECK(fData != nullptr)) {
        // Without a plug-in the host still gets silence rather than whatever its buffers held.
        for (uint32_t i = 0; i < kOutputCount; ++i) {
            if (outputs != nullptr && outputs[i] != nullptr)
                std::memset(outputs[i], 0, sizeof(float) * frames);
        }
        return;
    }

    if (!fIsActive) {
        fIsActive = true;
        fPlugin->onActivate();
    }

    fData->isProcessing = true;
    fPlugin->renderBlock(inputs, outputs, frames, midiMessages, midiMessageCount);
    fData->isProcessing = false;
}

} // namespace Orvane
