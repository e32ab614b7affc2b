// The Vantorel plug-in as a host sees it through the adapter: identity, parameter table, ports,
// activation, what it renders for transport and MIDI, sample-rate changes, and its log line.
#include "PatchHooks.h"
#include "StreamCapture.h"
#include "VantorelFixture.h"
#include "VantorelParameters.h"
#include "patch/Krell_Vantorel.h"
#include "runtime/Message.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using namespace Orvane;

namespace {

class VantorelPlugin : public VantorelFixture { };

TEST_F(VantorelPlugin, Identity)
{
    const auto adapter = makeAdapter();
    const Plugin& p = *adapter->plugin();
    EXPECT_STREQ(p.displayName(), "Vantorel");
    EXPECT_STREQ(p.label(), "Vantorel");
    EXPECT_STREQ(p.maker(), "Fellmark Audio");
    EXPECT_STREQ(p.description(), "");
    EXPECT_STREQ(p.homePage(), "");
    EXPECT_EQ(p.version(), 1u);
    EXPECT_EQ(p.uniqueId(), 0x58C36BDC);
}

TEST_F(VantorelPlugin, ParameterTable)
{
    const auto adapter = makeAdapter();
    const char* names[] = {"Baya Length", "Baya Pattern", "Baya Tempo", "Dayan Length",
        "Dayan Pattern", "Dayan Tempo"};
    const char* symbols[] = {"baya_length", "baya_pattern", "baya_tempo", "dayan_length",
        "dayan_pattern", "dayan_tempo"};
    const float minima[] = {4, 1, 0};
    const float maxima[] = {16, 1337, 4};
    const float defaults[] = {4, 1, 2};
    ASSERT_EQ(adapter->parameterCount(), 6u);
    for (uint32_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(adapter->parameterName(i), names[i]);
        EXPECT_EQ(adapter->parameterSymbol(i), symbols[i]);
        EXPECT_EQ(adapter->parameterHints(i), 5u);
        EXPECT_TRUE(adapter->parameterShortName(i).isEmpty());
        EXPECT_TRUE(adapter->parameterUnit(i).isEmpty());
        EXPECT_TRUE(adapter->parameterDescription(i).isEmpty());
        EXPECT_EQ(adapter->parameterDesignation(i), DesignationNone);
        EXPECT_EQ(adapter->parameterMidiCC(i), 0);
        EXPECT_EQ(adapter->parameterGroupId(i), GroupNone);
        EXPECT_FALSE(adapter->isParameterOutputOrTrigger(i));
        // Both drums share each kind's range and default.
        const ValueRange& range = adapter->parameterRanges(i);
        EXPECT_EQ(range.min, minima[i % 3]);
        EXPECT_EQ(range.max, maxima[i % 3]);
        EXPECT_EQ(range.def, defaults[i % 3]);
        EXPECT_EQ(adapter->parameterValue(i), defaults[i % 3]);

        const EnumValueList& ratios = adapter->parameterEnumValues(i);
        if (i % 3 != 2) {
            EXPECT_EQ(ratios.count, 0);
            continue;
        }
        ASSERT_EQ(ratios.count, 5);
        EXPECT_TRUE(ratios.restrictedMode);
        EXPECT_TRUE(ratios.owned);
        const char* labels[] = {"\xC3\x97"
                                "2",
            "\xC3\x97"
            "1.5",
            "\xC3\x97"
            "1",
            "\xC3\xB7"
            "1.5",
            "\xC3\xB7"
            "2"};
        for (uint8_t v = 0; v < 5; ++v) {
            EXPECT_EQ(ratios.values[v].value, float(v));
            EXPECT_EQ(ratios.values[v].label, labels[v]);
        }
    }
    EXPECT_NE(adapter->parameterEnumValues(2).values, adapter->parameterEnumValues(5).values);
}

TEST_F(VantorelPlugin, DescribingAgainKeepsTextsAndUnknownIndicesTouchNothing)
{
    ParameterInfo info;
    describeVantorelParameter(6, info);
    describeVantorelParameter(0xFFFFFFFF, info);
    EXPECT_TRUE(info.name.isEmpty());
    EXPECT_TRUE(info.symbol.isEmpty());
    EXPECT_EQ(info.hints, 0u);
    EXPECT_EQ(info.ranges.min, 0.0f);
    EXPECT_EQ(info.ranges.max, 1.0f);
    EXPECT_EQ(info.enumValues.count, 0);

    describeVantorelParameter(5, info);
    const char* name = info.name.buffer();
    const char* symbol = info.symbol.buffer();
    describeVantorelParameter(5, info);
    EXPECT_EQ(info.name.buffer(), name);
    EXPECT_EQ(info.symbol.buffer(), symbol);
    EXPECT_EQ(info.enumValues.count, 5);
}

TEST_F(VantorelPlugin, TwoOutputsWithoutPortGroups)
{
    const auto adapter = makeAdapter();
    for (uint32_t i = 0; i < 2; ++i) {
        const AudioPortInfo& port = adapter->audioPort(false, i);
        EXPECT_EQ(port.name, (std::string("Audio Output ") + std::to_string(i + 1)).c_str());
        EXPECT_EQ(port.symbol, (std::string("audio_out_") + std::to_string(i + 1)).c_str());
        EXPECT_EQ(port.hints, 0u);
        EXPECT_EQ(port.groupId, GroupNone);
    }
    EXPECT_EQ(adapter->portGroupCount(), 0u);
}

TEST_F(VantorelPlugin, StoppedTransportIsSilentAndTheFirstBlockActivates)
{
    const auto adapter = makeAdapter();
    EXPECT_FALSE(adapter->isActive());
    EXPECT_TRUE(renderBlocks(*adapter, TransportInfo(), 512, 8).silent());
    EXPECT_TRUE(adapter->isActive());
}

TEST_F(VantorelPlugin, DefaultGrooveSoundsOnTheFirstPlayingFrame)
{
    const auto adapter = makeAdapter();
    renderBlocks(*adapter, TransportInfo(), 300, 3);
    EXPECT_EQ(renderBlocks(*adapter, playingTransport(120.0), 256, 4).firstSound(), 0);
}

// Placed through the runtime's millisecond delays, every tick must start the same sound a tick
// placed exactly on its frame does.
TEST_F(VantorelPlugin, TransportTicksSoundOnTheirExactFrames)
{
    const ParameterValues busy = {16, 5, 0, 16, 9, 0};
    struct Case {
        double rate;
        double bpm;
        uint32_t blockFrames;
    };
    for (const Case c : {Case{48000.0, 100.0, 256}, Case{44100.0, 120.0, 441},
             Case{96000.0, 137.0, 1024}, Case{44056.0, 100.0, 64}}) {
        SCOPED_TRACE(c.rate);
        const auto adapter = makeAdapter(c.rate);
        setValues(*adapter, busy);
        constexpr uint32_t kBlocks = 600;
        const Stereo rendered =
            renderBlocks(*adapter, playingTransport(c.bpm), c.blockFrames, kBlocks);
        const uint64_t total = uint64_t{c.blockFrames} * kBlocks;
        const Stereo exact =
            renderWithExactTicks(c.rate, busy, transportTickFrames(c.rate, c.bpm, total), total);
        ASSERT_FALSE(exact.silent());
        EXPECT_TRUE(rendered == exact);
        for (Drop kind : {Drop::PipeRefusal, Drop::PoolRefusal, Drop::TickCut})
            EXPECT_EQ(adapter->dropCount(kind), 0u) << static_cast<int>(kind);
    }
}

// Values set between blocks on the main thread and values set in the host's process call (audio
// thread) reach the patch before the block's first tick, in that order, exactly as if all had
// gone through the patch's input pipe.
TEST_F(VantorelPlugin, MainThreadAndAudioThreadValuesKeepTheirOrderAtEqualFrames)
{
    // 1000 frames a tick at 48 kHz and 120 bpm: every block starts with one.
    constexpr uint32_t kFrames = 1000;
    constexpr uint32_t kRealtime = 0x6FFF0BCF;
    const auto adapter = makeAdapter(48000.0);
    Krell_Vantorel* const reference = createPatch(10, 6, 2, 48000.0);
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i)
        reference->postFloat(kVantorelParameters[i].receiverHash, kDefaultValues[i]);

    TransportInfo transport = playingTransport(120.0);
    std::vector<float> left(kFrames), right(kFrames), refLeft(kFrames), refRight(kFrames);
    float* outputs[2] = {left.data(), right.data()};
    float* refOutputs[2] = {refLeft.data(), refRight.data()};
    for (uint32_t block = 0; block < 200; ++block) {
        const float pattern = static_cast<float>(1 + block % 5);
        const float length = static_cast<float>(4 + block % 13);
        adapter->setParameterValue(4, pattern); // main thread, through the pipe
        adapter->setTransportInfo(transport);
        adapter->setParameterValueInProcess(3, length); // inside process, before the block
        adapter->runCycle(nullptr, outputs, kFrames, nullptr, 0);

        reference->postFloat(kVantorelParameters[4].receiverHash, pattern);
        reference->postFloat(kVantorelParameters[3].receiverHash, length);
        if (block == 0) {
            reference->postFormatted(kRealtime, 0.0, "ff", 255.0, 0.0);
            reference->postFormatted(kRealtime, 0.0, "ff", 250.0, 0.0);
        }
        reference->postFormatted(kRealtime, 0.0, "ff", 248.0, 0.0);
        reference->postFormatted(0xDF8C2721, 0.0, "f", 120.0);
        reference->processBlock(nullptr, refOutputs, kFrames);
        ASSERT_EQ(left, refLeft) << block;
        ASSERT_EQ(right, refRight) << block;
        transport.frame += kFrames;
    }
    destroyPatch(reference);
}

TEST_F(VantorelPlugin, MidiClockSoundsOnItsFrame)
{
    for (double rate : {48000.0, 44056.0}) {
        SCOPED_TRACE(rate);
        const auto adapter = makeAdapter(rate);
        std::vector<float> left(1024);
        std::vector<float> right(1024);
        float* outputs[2] = {left.data(), right.data()};
        MidiMessage clock;
        clock.frame = 500;
        clock.size = 1;
        clock.data[0] = 248;
        adapter->runCycle(nullptr, outputs, 1024, &clock, 1);

        const Stereo exact = renderWithExactTicks(rate, kDefaultValues, {500}, 1024);
        EXPECT_EQ(left, exact.left);
        EXPECT_EQ(right, exact.right);
        EXPECT_EQ(exact.firstSound(), 500);
    }
}

// The rebuilt patch starts from the values of the moment: it sounds exactly like a plug-in
// created at the new rate with those values, which differs from the defaults.
TEST_F(VantorelPlugin, SampleRateChangeRebuildsThePatchWithCurrentValues)
{
    const ParameterValues chosen = {7, 42, 1, 9, 1000, 3};
    const auto changed = makeAdapter(48000.0);
    setValues(*changed, chosen);
    changed->enable();
    changed->changeSampleRate(44100.0, true);
    EXPECT_TRUE(changed->isActive());
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(changed->parameterValue(i), chosen[i]);

    const auto fresh = makeAdapter(44100.0);
    setValues(*fresh, chosen);
    const auto defaults = makeAdapter(44100.0);

    const TransportInfo transport = playingTransport(120.0);
    const Stereo afterChange = renderBlocks(*changed, transport, 512, 400);
    EXPECT_TRUE(afterChange == renderBlocks(*fresh, transport, 512, 400));
    EXPECT_FALSE(afterChange == renderBlocks(*defaults, transport, 512, 400));
}

// The editor's step display reads where each drum stands from any thread, without the patch: the
// cell of its latest step while the transport plays, kept when it stops.
TEST_F(VantorelPlugin, StepMonitorsFollowThePlayingTransportAndStayWhenItStops)
{
    const auto adapter = makeAdapter();
    ASSERT_EQ(adapter->monitorCount(), 2u);
    // Dayan x2 over 5 steps (a step every 12000 frames at 120 bpm), Baya /2 over 4 (every 48000).
    setValues(*adapter, {4, 9, 4, 5, 3, 0});
    renderBlocks(*adapter, TransportInfo(), 1000, 3);
    EXPECT_EQ(adapter->monitorValue(KrellZEF_Vantorel::kDayanStepMonitor), -1);
    EXPECT_EQ(adapter->monitorValue(KrellZEF_Vantorel::kBayaStepMonitor), -1);
    TransportInfo transport = playingTransport(120.0);
    for (int block = 0; block < 200; ++block) {
        renderBlocks(*adapter, transport, 1000, 1);
        transport.frame += 1000;
        ASSERT_EQ(adapter->monitorValue(KrellZEF_Vantorel::kDayanStepMonitor), block / 12 % 5);
        ASSERT_EQ(adapter->monitorValue(KrellZEF_Vantorel::kBayaStepMonitor), block / 48 % 4);
    }
    renderBlocks(*adapter, TransportInfo(), 1000, 50);
    EXPECT_EQ(adapter->monitorValue(KrellZEF_Vantorel::kDayanStepMonitor), 199 / 12 % 5);
    EXPECT_EQ(adapter->monitorValue(KrellZEF_Vantorel::kBayaStepMonitor), 199 / 48 % 4);
    EXPECT_EQ(adapter->monitorValue(2), 0);
}

// Values posted faster than the patch drains them overflow its input pipe; the value the host
// sees last is the one the groove plays, because refused posts are made again.
TEST_F(VantorelPlugin, RefusedValuePostsAreMadeAgainAtTheNextBlock)
{
    const auto flooded = makeAdapter();
    KrellZEF_Vantorel& vantorel = plugin(*flooded);
    for (int i = 0; i < 1000; ++i)
        vantorel.applyParameter(4, static_cast<float>(1 + i % 7));
    vantorel.applyParameter(4, 17.0f);

    const auto reference = makeAdapter();
    setValues(*reference, {4, 1, 2, 4, 17, 2});
    // A stopped block drains the flood; the refused value follows at the next block.
    const TransportInfo stopped;
    renderBlocks(*flooded, stopped, 512, 1);
    renderBlocks(*reference, stopped, 512, 1);
    const TransportInfo transport = playingTransport(120.0);
    EXPECT_TRUE(renderBlocks(*flooded, transport, 512, 400) ==
        renderBlocks(*reference, transport, 512, 400));
    EXPECT_GT(flooded->dropCount(Drop::PipeRefusal), 0u);
    EXPECT_EQ(reference->dropCount(Drop::PipeRefusal), 0u);
}

// An absurd tempo fills the patch's pool with ticks: what is refused or cut is counted, and
// reported once, one line per kind, when the instance is deactivated.
TEST_F(VantorelPlugin, DroppedTicksAreCountedAndReportedAtDeactivation)
{
    const auto adapter = makeAdapter();
    adapter->enable();
    renderBlocks(*adapter, playingTransport(1e9), 4096, 2);
    EXPECT_GT(adapter->dropCount(Drop::PoolRefusal), 0u);
    EXPECT_GT(adapter->dropCount(Drop::TickCut), 1000u);
    StreamCapture capture(stderr);
    adapter->disable();
    adapter->enable();
    adapter->disable();
    const std::string text = capture.text();
    EXPECT_NE(text.find("messages refused by the patch's full message pool"), std::string::npos)
        << text;
    EXPECT_NE(text.find("clock ticks cut after a refused tick"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
}

TEST_F(VantorelPlugin, ValuesAreStoredUnclampedAndNonFiniteOnesIgnored)
{
    const auto adapter = makeAdapter();
    KrellZEF_Vantorel& vantorel = plugin(*adapter);
    vantorel.applyParameter(1, 20000.0f);
    EXPECT_EQ(vantorel.parameterValue(1), 20000.0f);
    vantorel.applyParameter(6, 3.0f);
    EXPECT_EQ(vantorel.parameterValue(6), 0.0f);

    const auto reference = makeAdapter();
    setValues(*reference, {4, 20000, 2, 4, 1, 2});
    for (float bad : {std::numeric_limits<float>::quiet_NaN(),
             std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()}) {
        for (uint32_t i = 0; i < 6; ++i)
            vantorel.applyParameter(i, bad);
    }
    EXPECT_EQ(vantorel.parameterValue(1), 20000.0f);
    EXPECT_EQ(vantorel.parameterValue(4), 1.0f);
    const TransportInfo transport = playingTransport(150.0);
    EXPECT_TRUE(renderBlocks(*adapter, transport, 256, 400) ==
        renderBlocks(*reference, transport, 256, 400));
}

TEST(VantorelPatchHooks, LogLinesAreCutAt63Bytes)
{
    StreamCapture capture(stdout);
    pluginLogHook(nullptr, "print", "hello");
    const std::string longName(80, 'n');
    const std::string longText(100, 't');
    pluginLogHook(nullptr, longName.c_str(), "x");
    pluginLogHook(nullptr, "p", longText.c_str());
    pluginLogHook(nullptr, nullptr, nullptr);
    const std::string expected = "> print hello \n"
                                 "> " +
        std::string(48, 'n') +
        " x \n"
        "> p " +
        std::string(61, 't') +
        " \n"
        ">   \n";
    EXPECT_EQ(capture.text(), expected);
}

} // namespace
