// Control Change onto the groove's parameters, through a running JACK client in this process:
// a test client plays the messages into "events-in".
#include "ActivePluginJack.h"
#include "JackTestClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

using StandaloneTest::JackTestClient;
using StandaloneTest::MidiBytes;

// The value reached within a bound (the cycle after the batch went out sets it).
float settledValue(const Orvane::PluginJack& jack, uint32_t index, float expected)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (jack.adapter().parameterValue(index) != expected &&
        std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return jack.adapter().parameterValue(index);
}

TEST(ControlChange, FirstChannelControllerZeroSetsBayaLength)
{
    StandaloneTest::ActivePluginJack program;
    ASSERT_TRUE(program.ok());
    const Orvane::PluginJack& jack = *program.jack;
    JackTestClient sender("sender");
    ASSERT_TRUE(sender.activate());
    ASSERT_TRUE(sender.connectMidiTo(program.eventsIn()));
    ASSERT_EQ(jack.adapter().parameterValue(0), 4.0f);

    // Each batch has one message that must act and others that must not, in both orders.
    ASSERT_TRUE(sender.sendBatch({{0, {0xB1, 0, 0}}, {1, {0xB0, 0, 127}}, {2, {0xB0, 1, 0}}}));
    EXPECT_EQ(settledValue(jack, 0, 16.0f), 16.0f);
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 0, 0}}, {1, {0xB1, 0, 127}}, {2, {0xB0, 1, 127}}}));
    EXPECT_EQ(settledValue(jack, 0, 4.0f), 4.0f);
    // 4 + 12 x 64/127 is 10.05: a stepped parameter keeps the whole step, as in a CLAP host.
    ASSERT_TRUE(sender.sendBatch({{5, {0xB0, 0, 64}}}));
    EXPECT_EQ(settledValue(jack, 0, 10.0f), 10.0f);
    for (uint32_t i = 1; i < jack.adapter().parameterCount(); ++i)
        EXPECT_EQ(jack.adapter().parameterValue(i), jack.adapter().parameterRanges(i).def) << i;
}

// The editor's knobs and the command line's starting values take the same rule.
TEST(ControlChange, EditorAndStartValuesFollowTheRuleForValues)
{
    StandaloneTest::ActivePluginJack program;
    ASSERT_TRUE(program.ok());
    Orvane::PluginJack& jack = *program.jack;
    const Orvane::PluginAdapter& plugin = jack.adapter();

    Orvane::PluginJack::setParameterCallback(&jack, 1, 716.9f);
    EXPECT_EQ(plugin.parameterValue(1), 716.0f);
    Orvane::PluginJack::setParameterCallback(&jack, 1, std::nanf(""));
    Orvane::PluginJack::setParameterCallback(&jack, 1, INFINITY);
    EXPECT_EQ(plugin.parameterValue(1), 716.0f);
    Orvane::PluginJack::setParameterCallback(&jack, 3, 99.0f);
    EXPECT_EQ(plugin.parameterValue(3), 16.0f);
    jack.setStartValue(4, 12.7f);
    EXPECT_EQ(plugin.parameterValue(4), 12.0f);
}

} // namespace
