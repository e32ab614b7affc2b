// Control Change onto the groove's parameters, through a running JACK client in this process:
// a test client plays the messages into "events-in".
#include "ActivePluginJack.h"
#include "JackTestClient.h"

#include <gtest/gtest.h>

#include <chrono>
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
    ASSERT_TRUE(sender.sendBatch({{5, {0xB0, 0, 64}}}));
    EXPECT_FLOAT_EQ(
        settledValue(jack, 0, 4.0f + 12.0f * 64 * 0.007874016f), 4.0f + 12.0f * 64 * 0.007874016f);
    for (uint32_t i = 1; i < jack.adapter().parameterCount(); ++i)
        EXPECT_EQ(jack.adapter().parameterValue(i), jack.adapter().parameterRanges(i).def) << i;
}

} // namespace
