// Base class of a plug-in: instance record set-up and the default descriptions. Main thread,
// except emitMidi (audio thread).
#include "Plugin.h"

#include "NumericHelpers.h"
#include "OrvanePluginInfo.h"
#include "PendingValues.h"
#include "PluginData.h"
#include "SoftAssert.h"

#include <cstring>

namespace Orvane {

namespace {

PluginData* createPluginData()
{
    PluginData* const data = new PluginData;
    data->canRequestParameterChanges = pendingMayRequestChanges;
    data->isDummy = pendingIsDescriptorOnly;
    data->isSelfTest = pendingIsSelfTest;
    data->bufferSize = pendingBufferSize;
    data->sampleRate = pendingSampleRate;
    if (pendingBundlePath != nullptr) {
        const size_t length = std::strlen(pendingBundlePath);
        data->bundlePath.reset(new char[length + 1]);
        std::memcpy(data->bundlePath.get(), pendingBundlePath, length + 1);
    }
    return data;
}

} // namespace

Plugin::Plugin(uint32_t parameterCount, uint32_t programCount, uint32_t stateCount)
    : fData(createPluginData())
{
    const uint32_t bufferSize = fData->bufferSize;
    const double sampleRate = fData->sampleRate;
    ORVANE_CHECK(bufferSize != 0);
    ORVANE_CHECK(d_isNotZero(sampleRate));

    constexpr uint32_t portCount = ORVANE_PLUGIN_NUM_INPUTS + ORVANE_PLUGIN_NUM_OUTPUTS;
    if (portCount != 0)
        fData->audioPorts.reset(new AudioPortInfo[portCount]);

    if (parameterCount != 0) {
        fData->parameterCount = parameterCount;
        fData->parameters.reset(new ParameterInfo[parameterCount]);
    }

    if (programCount != 0)
        printWarning(
            "ZEF warning: Plugins with programs must define `ORVANE_PLUGIN_WANT_PROGRAMS` to 1");
    if (stateCount != 0)
        printWarning("ZEF warning: Plugins with state must define `ORVANE_PLUGIN_WANT_STATE` to 1");
}

Plugin::~Plugin() = default;

uint32_t Plugin::bufferSize() const noexcept
{
    return fData->bufferSize;
}

double Plugin::sampleRate() const noexcept
{
    return fData->sampleRate;
}

const TransportInfo& Plugin::transportInfo() const noexcept
{
    return fData->transport;
}

bool Plugin::emitMidi(const MidiMessage& message) noexcept
{
    if (fData->writeMidiCallbackFunc == nullptr)
        return false;
    return fData->writeMidiCallbackFunc(fData->callbacksPtr, message);
}

DropCounters& Plugin::drops() noexcept
{
    return fData->drops;
}

const char* Plugin::displayName() const
{
    return ORVANE_PLUGIN_NAME;
}

const char* Plugin::description() const
{
    return "";
}

const char* Plugin::homePage() const
{
    return "";
}

void Plugin::describeAudioPort(bool isInput, uint32_t index, AudioPortInfo& port)
{
    const String number(index + 1);
    if (port.hints & PortIsCV) {
        port.name = String(isInput ? "CV Input " : "CV Output ") + number;
        port.symbol = String(isInput ? "cv_in_" : "cv_out_") + number;
    } else {
        port.name = String(isInput ? "Audio Input " : "Audio Output ") + number;
        port.symbol = String(isInput ? "audio_in_" : "audio_out_") + number;
    }
}

void Plugin::describeParameter(uint32_t, ParameterInfo&)
{
}

void Plugin::describePortGroup(uint32_t groupId, PortGroupInfo& portGroup)
{
    switch (groupId) {
    case GroupNone:
        portGroup.name.clear();
        portGroup.symbol.clear();
        break;
    case GroupMono:
        portGroup.name = "Mono";
        portGroup.symbol = "zef_mono";
        break;
    case GroupStereo:
        portGroup.name = "Stereo";
        portGroup.symbol = "zef_stereo";
        break;
    default:
        break;
    }
}

float Plugin::parameterValue(uint32_t) const noexcept
{
    return 0.0f;
}

void Plugin::applyParameter(uint32_t, float) noexcept
{
}

uint32_t Plugin::monitorCount() const noexcept
{
    return 0;
}

int32_t Plugin::monitorValue(uint32_t) const noexcept
{
    return 0;
}

void Plugin::applyParameterInProcess(uint32_t index, float value) noexcept
{
    applyParameter(index, value);
}

void Plugin::onActivate()
{
}

void Plugin::onDeactivate()
{
}

void Plugin::onBufferSizeChange(uint32_t)
{
}

void Plugin::onSampleRateChange(double)
{
}

} // namespace Orvane
