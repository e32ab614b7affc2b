// PluginAdapter: instance set-up from the pending values, activation, sample-rate and buffer-size
// changes, parameter queries and processing, seen from a host binding's side.
#include "AssertionLines.h"
#include "AudioAssertions.h"
#include "ProbeFixture.h"
#include "StreamCapture.h"

#include <array>
#include <cstring>
#include <string>

using namespace Orvane;

namespace {

using Kind = ProbeCallKind;

class PluginAdapterTest : public ProbeFixture {
protected:
    std::array<float, 64> input{};
    std::array<std::array<float, 64>, 2> output{};
    const float* inputs[1] = {input.data()};
    float* outputs[2] = {output[0].data(), output[1].data()};

    void run(PluginAdapter& adapter, uint32_t frames, const MidiMessage* midi = nullptr,
        uint32_t count = 0)
    {
        adapter.runCycle(inputs, outputs, frames, midi, count);
    }
};

TEST_F(PluginAdapterTest, InstanceRecordComesFromThePendingValues)
{
    char path[] = "/plugins/probe.clap";
    pendingBundlePath = path;
    pendingMayRequestChanges = true;
    pendingIsDescriptorOnly = true;
    pendingBufferSize = 512;
    pendingSampleRate = 44100.0;
    const auto adapter = makeAdapter();
    path[1] = 'X';

    const PluginData& data = *adapter->data();
    EXPECT_TRUE(data.canRequestParameterChanges);
    EXPECT_TRUE(data.isDummy);
    EXPECT_FALSE(data.isSelfTest);
    EXPECT_FALSE(data.isProcessing);
    EXPECT_STREQ(data.bundlePath.get(), "/plugins/probe.clap");
    EXPECT_EQ(adapter->bufferSize(), 512u);
    EXPECT_EQ(adapter->sampleRate(), 44100.0);
    EXPECT_EQ(adapter->parameterCount(), 2u);
    EXPECT_FALSE(adapter->isActive());
    EXPECT_STREQ(adapter->plugin()->displayName(), "Probe");
    EXPECT_STREQ(adapter->plugin()->description(), "");
}

TEST_F(PluginAdapterTest, ZeroBufferSizeAndSampleRateAreReportedButConstructionGoesOn)
{
    pendingBufferSize = 0;
    pendingSampleRate = 1e-17;
    probeSetup.programCount = 1;
    probeSetup.stateCount = 2;
    StreamCapture capture(stderr);
    const auto adapter = makeAdapter();
    const auto reports = parseAssertionLines(capture.text());

    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].condition, "bufferSize != 0");
    EXPECT_EQ(reports[0].file, "framework/Plugin");
    EXPECT_EQ(reports[1].condition, "d_isNotZero(sampleRate)");
    EXPECT_EQ(reports[2].file,
        "\x1b[31mZEF warning: Plugins with programs must define `ORVANE_PLUGIN_WANT_PROGRAMS` to "
        "1\x1b[0m");
    EXPECT_EQ(reports[3].file,
        "\x1b[31mZEF warning: Plugins with state must define `ORVANE_PLUGIN_WANT_STATE` to "
        "1\x1b[0m");
    EXPECT_EQ(adapter->parameterCount(), 2u);
}

TEST_F(PluginAdapterTest, DefaultPortDescriptionsNumberPortsFromOne)
{
    probeSetup.portHints = {0, 0, PortIsCV};
    const auto adapter = makeAdapter();

    EXPECT_EQ(adapter->audioPort(true, 0).name, "Audio Input 1");
    EXPECT_EQ(adapter->audioPort(true, 0).symbol, "audio_in_1");
    EXPECT_EQ(adapter->audioPort(false, 0).name, "Audio Output 1");
    EXPECT_EQ(adapter->audioPort(false, 0).symbol, "audio_out_1");
    EXPECT_EQ(adapter->audioPort(false, 0).hints, 0u);
    EXPECT_EQ(adapter->audioPort(false, 0).groupId, GroupNone);
    EXPECT_EQ(adapter->audioPort(false, 1).name, "CV Output 2");
    EXPECT_EQ(adapter->audioPort(false, 1).symbol, "cv_out_2");

    probeSetup.portHints = {PortIsCV};
    EXPECT_EQ(makeAdapter()->audioPort(true, 0).name, "CV Input 1");
    EXPECT_EQ(makeAdapter()->audioPort(true, 0).symbol, "cv_in_1");

    StreamCapture capture(stderr);
    EXPECT_TRUE(adapter->audioPort(false, 2).name.isEmpty());
    const auto reports = parseAssertionLines(capture.text());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].values, ", v1 2, v2 2");
}

TEST_F(PluginAdapterTest, WithoutGroupsThereAreNoPortGroups)
{
    const auto adapter = makeAdapter();
    EXPECT_EQ(adapter->portGroupCount(), 0u);

    StreamCapture capture(stderr);
    const PortGroupInfo& group = adapter->portGroupById(GroupStereo);
    const auto reports = parseAssertionLines(capture.text());
    EXPECT_EQ(group.groupId, GroupNone);
    EXPECT_TRUE(group.name.isEmpty());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].condition, "fData != nullptr && fData->portGroupCount != 0");
}

TEST_F(PluginAdapterTest, PortGroupsAreCollectedSortedAndDescribed)
{
    // Ids below the number of groups in use are the plug-in's own; others get framework texts.
    probeSetup.portGroups = {GroupStereo, 1, GroupStereo};
    probeSetup.parameterGroups = {0, 1};
    const auto adapter = makeAdapter();

    ASSERT_EQ(adapter->portGroupCount(), 3u);
    const PortGroupInfo* const groups = adapter->data()->portGroups.get();
    EXPECT_EQ(groups[0].groupId, 0u);
    EXPECT_EQ(groups[0].name, "Probe group 0");
    EXPECT_EQ(groups[1].groupId, 1u);
    EXPECT_EQ(groups[1].name, "Probe group 1");
    EXPECT_EQ(groups[2].groupId, GroupStereo);
    EXPECT_EQ(groups[2].name, "Stereo");
    EXPECT_EQ(groups[2].symbol, "zef_stereo");

    EXPECT_EQ(&adapter->portGroupById(1), &groups[1]);
    EXPECT_EQ(adapter->portGroupById(GroupMono).groupId, GroupNone);

    probeSetup.portGroups = {GroupMono, 7};
    probeSetup.parameterGroups = {};
    const auto other = makeAdapter();
    ASSERT_EQ(other->portGroupCount(), 2u);
    EXPECT_EQ(other->portGroupById(7).groupId, 7u);
    EXPECT_TRUE(other->portGroupById(7).name.isEmpty());
    EXPECT_EQ(other->portGroupById(GroupMono).name, "Mono");
    EXPECT_EQ(other->portGroupById(GroupMono).symbol, "zef_mono");
}

TEST_F(PluginAdapterTest, OutOfRangeParameterQueriesReportOnceAndAnswerTheDefaultRecord)
{
    const auto adapter = makeAdapter();
    ASSERT_EQ(adapter->parameterName(1), "Level");
    ASSERT_EQ(adapter->parameterRanges(1).max, 2.0f);

    StreamCapture capture(stderr);
    const String& name = adapter->parameterName(2);
    const std::string afterName = capture.text();
    StreamCapture captureRest(stderr);
    const ValueRange& ranges = adapter->parameterRanges(2);
    const uint32_t hints = adapter->parameterHints(99);
    const uint32_t group = adapter->parameterGroupId(2);
    const float value = adapter->parameterValue(2);
    adapter->setParameterValue(2, 1.0f);
    const std::string afterRest = captureRest.text();

    EXPECT_TRUE(name.isEmpty());
    const auto reports = parseAssertionLines(afterName);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].condition, "fData != nullptr && index < fData->parameterCount");
    EXPECT_EQ(reports[0].file, "framework/PluginAdapter");
    EXPECT_EQ(reports[0].values, "");

    EXPECT_EQ(parseAssertionLines(afterRest).size(), 5u);
    EXPECT_EQ(ranges.def, 0.0f);
    EXPECT_EQ(ranges.min, 0.0f);
    EXPECT_EQ(ranges.max, 1.0f);
    EXPECT_EQ(hints, 0u);
    EXPECT_EQ(group, GroupNone);
    EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(probe(*adapter).lastAppliedValue, 0.0f);
}

TEST_F(PluginAdapterTest, ParameterValuesPassThroughToThePlugin)
{
    probeSetup.parameterHints = {HintOutput, HintTrigger | HintBoolean};
    probeSetup.parameterCount = 3;
    const auto adapter = makeAdapter();

    adapter->setParameterValue(1, 1.5f);
    EXPECT_EQ(probe(*adapter).lastAppliedIndex, 1u);
    EXPECT_EQ(probe(*adapter).lastAppliedValue, 1.5f);
    EXPECT_EQ(adapter->parameterValue(2), 2.25f);

    EXPECT_TRUE(adapter->isParameterOutputOrTrigger(0));
    EXPECT_TRUE(adapter->isReadOnlyParameter(0));
    EXPECT_TRUE(adapter->isParameterOutputOrTrigger(1));
    EXPECT_FALSE(adapter->isReadOnlyParameter(1));
    EXPECT_FALSE(adapter->isParameterOutputOrTrigger(2));
}

TEST_F(PluginAdapterTest, EnableAndDisableTwiceReportAndCallOnce)
{
    const auto adapter = makeAdapter();
    StreamCapture capture(stderr);
    adapter->enable();
    adapter->enable();
    EXPECT_TRUE(adapter->isActive());
    adapter->disable();
    adapter->disable();
    EXPECT_FALSE(adapter->isActive());

    const auto reports = parseAssertionLines(capture.text());
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].condition, "! fIsActive");
    EXPECT_EQ(reports[1].condition, "fIsActive");
    EXPECT_EQ(probe(*adapter).calls(),
        (std::vector<ProbeCall>{{Kind::Activate, 0}, {Kind::Deactivate, 0}}));
}

TEST_F(PluginAdapterTest, FirstCycleActivatesAndMarksProcessing)
{
    const auto adapter = makeAdapter();
    input.fill(1.0f);
    output[1].fill(9.0f);
    run(*adapter, 64);
    run(*adapter, 16);

    EXPECT_TRUE(adapter->isActive());
    EXPECT_EQ(probe(*adapter).calls(),
        (std::vector<ProbeCall>{{Kind::Activate, 0}, {Kind::Render, 64}, {Kind::Render, 16}}));
    EXPECT_TRUE(probe(*adapter).wasProcessingDuringRender);
    EXPECT_FALSE(adapter->data()->isProcessing);
    EXPECT_EQ(output[1][63], 0.5f);
}

TEST_F(PluginAdapterTest, SampleRateChangeDeactivatesAroundTheNotification)
{
    const auto adapter = makeAdapter();
    adapter->changeSampleRate(48000.0, true);
    adapter->changeSampleRate(44100.0, true);
    EXPECT_EQ(probe(*adapter).calls(), (std::vector<ProbeCall>{{Kind::SampleRateChange, 44100}}));

    adapter->enable();
    probe(*adapter).clearCalls();
    adapter->changeSampleRate(96000.0, true);
    EXPECT_EQ(probe(*adapter).calls(),
        (std::vector<ProbeCall>{
            {Kind::Deactivate, 0}, {Kind::SampleRateChange, 96000}, {Kind::Activate, 0}}));
    EXPECT_EQ(adapter->sampleRate(), 96000.0);

    probe(*adapter).clearCalls();
    adapter->changeSampleRate(22050.0, false);
    EXPECT_TRUE(probe(*adapter).calls().empty());
    EXPECT_EQ(adapter->plugin()->sampleRate(), 22050.0);
}

TEST_F(PluginAdapterTest, NonPositiveSampleRateIsReportedAndRefused)
{
    const auto adapter = makeAdapter();
    StreamCapture capture(stderr);
    adapter->changeSampleRate(0.0, true);
    adapter->changeSampleRate(-44100.0, true);
    const auto reports = parseAssertionLines(capture.text());

    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].condition, "sampleRate > 0.0");
    EXPECT_EQ(adapter->sampleRate(), 48000.0);
    EXPECT_TRUE(probe(*adapter).calls().empty());
}

TEST_F(PluginAdapterTest, BufferSizeChangeDeactivatesAroundTheNotification)
{
    const auto adapter = makeAdapter();
    adapter->enable();
    probe(*adapter).clearCalls();
    adapter->changeBufferSize(256, true);
    EXPECT_TRUE(probe(*adapter).calls().empty());

    adapter->changeBufferSize(1024, true);
    EXPECT_EQ(probe(*adapter).calls(),
        (std::vector<ProbeCall>{
            {Kind::Deactivate, 0}, {Kind::BufferSizeChange, 1024}, {Kind::Activate, 0}}));

    // A size below 2 is suspicious but hosts do announce it; it is reported and still applied.
    StreamCapture capture(stderr);
    adapter->changeBufferSize(1, false);
    const auto reports = parseAssertionLines(capture.text());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].condition, "bufferSize >= 2");
    EXPECT_EQ(adapter->plugin()->bufferSize(), 1u);
}

bool recordMidi(void* callbacksPtr, const MidiMessage& message) noexcept
{
    static_cast<std::vector<uint8_t>*>(callbacksPtr)->push_back(message.data[0]);
    return true;
}

TEST_F(PluginAdapterTest, TransportAndMidiReachThePluginAndEmittedMidiReachesTheBinding)
{
    std::vector<uint8_t> emitted;
    const auto adapter = makeAdapter(&emitted, recordMidi);
    TransportInfo transport;
    transport.playing = true;
    transport.frame = 4096;
    transport.bbt.valid = true;
    transport.bbt.beatsPerMinute = 93.0;
    adapter->setTransportInfo(transport);

    MidiMessage midi[2];
    midi[0].data[0] = 0x90;
    midi[1].data[0] = 0xF8;
    run(*adapter, 8, midi, 2);

    EXPECT_TRUE(adapter->plugin()->transportInfo().playing);
    EXPECT_EQ(adapter->plugin()->transportInfo().frame, 4096u);
    EXPECT_EQ(adapter->plugin()->transportInfo().bbt.beatsPerMinute, 93.0);
    EXPECT_EQ(probe(*adapter).lastMidiCount, 2u);
    EXPECT_EQ(emitted, (std::vector<uint8_t>{0x90, 0xF8}));

    const auto silent = makeAdapter();
    EXPECT_FALSE(silent->plugin()->emitMidi(midi[0]));
}

TEST_F(PluginAdapterTest, WithoutAPluginEveryOperationReportsAndStaysNeutral)
{
    probeSetup.yieldNothing = true;
    StreamCapture capture(stderr);
    PluginAdapter adapter(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(adapter.plugin(), nullptr);
    EXPECT_EQ(adapter.parameterCount(), 0u);
    EXPECT_TRUE(adapter.parameterName(0).isEmpty());
    adapter.enable();
    adapter.changeSampleRate(44100.0, true);
    output[0].fill(3.0f);
    run(adapter, 64);
    EXPECT_FALSE(adapter.isActive());
    EXPECT_EQ(output[0][0], 0.0f);
    EXPECT_EQ(output[0][63], 0.0f);

    // The block's own reports wait for the main thread.
    const auto mainThreadReports = parseAssertionLines(capture.text());
    EXPECT_EQ(mainThreadReports.size(), 4u);
    StreamCapture blockCapture(stderr);
    printAudioReports();
    auto reports = parseAssertionLines(blockCapture.text());
    reports.insert(reports.begin(), mainThreadReports.begin(), mainThreadReports.end());
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(reports[0].condition, "fPlugin != nullptr");
    EXPECT_EQ(reports[4].condition, "fData != nullptr");
}

} // namespace
