// A plug-in for testing and measuring the framework core. Main thread, except renderBlock.
#include "ProbePlugin.h"

#include "OrvanePluginInfo.h"

#include <algorithm>

ProbeSetup probeSetup;

Orvane::Plugin* Orvane::createPlugin()
{
    return probeSetup.yieldNothing ? nullptr : new ProbePlugin(probeSetup);
}

ProbePlugin::ProbePlugin(const ProbeSetup& setup)
    : Plugin(setup.parameterCount, setup.programCount, setup.stateCount), fSetup(setup)
{
}

std::vector<ProbeCall> ProbePlugin::calls() const
{
    return std::vector<ProbeCall>(fCalls.begin(), fCalls.begin() + fCallCount);
}

void ProbePlugin::record(ProbeCallKind kind, double argument) noexcept
{
    if (fCallCount < fCalls.size())
        fCalls[fCallCount++] = ProbeCall{kind, argument};
}

// Hints are set first so that the framework's default naming sees them.
void ProbePlugin::describeAudioPort(bool isInput, uint32_t index, Orvane::AudioPortInfo& port)
{
    const size_t slot = isInput ? index : ORVANE_PLUGIN_NUM_INPUTS + index;
    if (slot < fSetup.portHints.size())
        port.hints = fSetup.portHints[slot];
    if (slot < fSetup.portGroups.size())
        port.groupId = fSetup.portGroups[slot];
    Plugin::describeAudioPort(isInput, index, port);
}

void ProbePlugin::describeParameter(uint32_t index, Orvane::ParameterInfo& parameter)
{
    parameter.name = "Level";
    parameter.symbol = "level";
    parameter.ranges = Orvane::ValueRange{0.5f, 0.0f, 2.0f};
    if (index < fSetup.parameterGroups.size())
        parameter.groupId = fSetup.parameterGroups[index];
    if (index < fSetup.parameterHints.size())
        parameter.hints = fSetup.parameterHints[index];
}

void ProbePlugin::describePortGroup(uint32_t groupId, Orvane::PortGroupInfo& portGroup)
{
    portGroup.name = Orvane::String("Probe group ") + Orvane::String(groupId);
    portGroup.symbol = "probe_group";
}

float ProbePlugin::parameterValue(uint32_t index) const noexcept
{
    return static_cast<float>(index) + 0.25f;
}

void ProbePlugin::applyParameter(uint32_t index, float value) noexcept
{
    lastAppliedIndex = index;
    lastAppliedValue = value;
}

void ProbePlugin::onActivate()
{
    record(ProbeCallKind::Activate);
}

void ProbePlugin::onDeactivate()
{
    record(ProbeCallKind::Deactivate);
}

void ProbePlugin::onBufferSizeChange(uint32_t newBufferSize)
{
    record(ProbeCallKind::BufferSizeChange, newBufferSize);
}

void ProbePlugin::onSampleRateChange(double newSampleRate)
{
    record(ProbeCallKind::SampleRateChange, newSampleRate);
}

// Echoes every MIDI message back through emitMidi so that the binding's callback is exercised.
void ProbePlugin::renderBlock(const float* const* inputs, float** outputs, uint32_t frames,
    const Orvane::MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept
{
    record(ProbeCallKind::Render, frames);
    wasProcessingDuringRender = watchedData != nullptr && watchedData->isProcessing;
    lastMidiCount = midiMessageCount;
    // Echoes what it gets; the tests count what the binding took.
    for (uint32_t i = 0; i < midiMessageCount; ++i)
        static_cast<void>(emitMidi(midiMessages[i]));

    const float* const input = inputs != nullptr ? inputs[0] : nullptr;
    for (uint32_t channel = 0; channel < ORVANE_PLUGIN_NUM_OUTPUTS; ++channel) {
        float* const output = outputs[channel];
        if (input == nullptr) {
            std::fill(output, output + frames, 0.0f);
            continue;
        }
        for (uint32_t frame = 0; frame < frames; ++frame)
            output[frame] = 0.5f * input[frame];
    }
}
