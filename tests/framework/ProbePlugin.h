// A plug-in for testing and measuring the framework core: it records the framework's calls in a
// fixed-size log (so rendering never allocates) and renders half its input into every output.
#pragma once

#include "Plugin.h"
#include "PluginData.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct ProbeSetup {
    uint32_t parameterCount = 2;
    uint32_t programCount = 0;
    uint32_t stateCount = 0;
    // Hints and groups of port `i`, inputs first then outputs; missing entries keep defaults.
    std::vector<uint32_t> portHints;
    std::vector<uint32_t> portGroups;
    std::vector<uint32_t> parameterGroups;
    std::vector<uint32_t> parameterHints;
    // Makes the build's factory yield no plug-in.
    bool yieldNothing = false;
};

// What the next createPlugin() builds; tests set it before constructing a PluginAdapter.
extern ProbeSetup probeSetup;

enum class ProbeCallKind {
    Activate,
    Deactivate,
    SampleRateChange,
    BufferSizeChange,
    Render
};

struct ProbeCall {
    ProbeCallKind kind;
    double argument;

    bool operator==(const ProbeCall& other) const
    {
        return kind == other.kind && argument == other.argument;
    }
};

class ProbePlugin : public Orvane::Plugin {
public:
    explicit ProbePlugin(const ProbeSetup& setup);

    std::vector<ProbeCall> calls() const;
    void clearCalls() noexcept { fCallCount = 0; }

    // Lets renderBlock observe the instance record the framework maintains around it.
    const Orvane::PluginData* watchedData = nullptr;
    bool wasProcessingDuringRender = false;
    uint32_t lastMidiCount = 0;
    float lastAppliedValue = 0.0f;
    uint32_t lastAppliedIndex = 0;

    const char* label() const override { return "probe"; }
    const char* maker() const override { return "Tests"; }
    const char* license() const override { return "ISC"; }
    uint32_t version() const override { return 3; }
    int64_t uniqueId() const override { return 0x50524F42; }

protected:
    void describeAudioPort(bool isInput, uint32_t index, Orvane::AudioPortInfo& port) override;
    void describeParameter(uint32_t index, Orvane::ParameterInfo& parameter) override;
    void describePortGroup(uint32_t groupId, Orvane::PortGroupInfo& portGroup) override;
    float parameterValue(uint32_t index) const noexcept override;
    void applyParameter(uint32_t index, float value) noexcept override;
    void onActivate() override;
    void onDeactivate() override;
    void onBufferSizeChange(uint32_t newBufferSize) override;
    void onSampleRateChange(double newSampleRate) override;
    void renderBlock(const float* const* inputs, float** outputs, uint32_t frames,
        const Orvane::MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept override;

private:
    const ProbeSetup fSetup;
    std::array<ProbeCall, 64> fCalls{};
    size_t fCallCount = 0;

    void record(ProbeCallKind kind, double argument = 0.0) noexcept;
};
