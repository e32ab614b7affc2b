// The Control Change map through a running JACK client in this process: a real sender client
// plays controller messages into "events-in", and the parameters take the table's values; Bank
// Select, other controllers and other channels change nothing.
#include "ActivePluginJack.h"
#include "JackTestClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <string>
#include <thread>

namespace {

using StandaloneTest::JackTestClient;
using StandaloneTest::MidiBytes;

float tune(uint32_t w)
{
    return static_cast<float>(-12.0 + 24.0 * w / 16383.0);
}

class ControlChangeMap : public ::testing::Test {
protected:
    StandaloneTest::ActivePluginJack program;
    JackTestClient sender{"sender"};

    void SetUp() override
    {
        ASSERT_TRUE(program.ok());
        ASSERT_TRUE(sender.activate());
        ASSERT_TRUE(sender.connectMidiTo(program.eventsIn()));
    }

    const Orvane::PluginAdapter& plugin() const { return program.jack->adapter(); }

    std::vector<float> values() const
    {
        std::vector<float> all;
        for (uint32_t i = 0; i < plugin().parameterCount(); ++i)
            all.push_back(plugin().parameterValue(i));
        return all;
    }

    // Plays the controllers (channel 1 unless a status is given) in one cycle, waits until the
    // parameters named in `expected` hold their values, and checks that no other one moved.
    void play(const std::vector<std::vector<uint8_t>>& messages,
        const std::map<std::string, float>& expected)
    {
        std::vector<MidiBytes> batch;
        for (const auto& message : messages) {
            const uint32_t frame = static_cast<uint32_t>(batch.size());
            batch.push_back(message.size() == 2 ? MidiBytes{frame, {0xB0, message[0], message[1]}}
                                                : MidiBytes{frame, message});
        }
        std::vector<float> want = values();
        for (const auto& [symbol, value] : expected) {
            for (uint32_t i = 0; i < plugin().parameterCount(); ++i) {
                if (plugin().parameterSymbol(i) == symbol.c_str())
                    want[i] = value;
            }
        }
        ASSERT_TRUE(sender.sendBatch(batch));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (values() != want && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const std::vector<float> got = values();
        for (uint32_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], want[i]) << plugin().parameterSymbol(i).buffer();
    }
};

TEST_F(ControlChangeMap, EveryRowOfTheTableAndNothingElse)
{
    // Bank Select, unmapped controllers, a fine controller of a band row and channel 2 change
    // nothing; a fine value alone counts from a coarse value of 0.
    play({{0, 127}, {1, 64}, {28, 127}, {53, 127}, {0xB1, 20, 5}, {0xB1, 25, 127}, {56, 100}},
        {{"baya_pattern", 100.0f}});

    // Coarse values alone: the top and the bottom of every row.
    play({{20, 127}, {21, 127}, {22, 127}, {23, 127}, {24, 127}, {25, 127}, {26, 127}, {27, 127}},
        {{"dayan_pattern", 1337.0f}, {"dayan_length", 16.0f}, {"dayan_tempo", 4.0f},
            {"dayan_tune", tune(127 * 128)}, {"baya_pattern", 1337.0f}, {"baya_length", 16.0f},
            {"baya_tempo", 4.0f}, {"baya_tune", tune(127 * 128)}});
    play({{20, 0}, {21, 0}, {22, 0}, {23, 0}, {24, 0}, {25, 0}, {26, 0}, {27, 0}},
        {{"dayan_pattern", 1.0f}, {"dayan_length", 4.0f}, {"dayan_tempo", 0.0f},
            {"dayan_tune", -12.0f}, {"baya_pattern", 1.0f}, {"baya_length", 4.0f},
            {"baya_tempo", 0.0f}, {"baya_tune", -12.0f}});

    // Equal bands: the edges of the first Length band and of Tempo's.
    play({{21, 9}, {25, 10}, {22, 25}, {26, 26}},
        {{"dayan_length", 4.0f}, {"baya_length", 5.0f}, {"dayan_tempo", 0.0f},
            {"baya_tempo", 1.0f}});
    play({{21, 109}, {25, 108}, {22, 102}, {26, 103}},
        {{"dayan_length", 15.0f}, {"baya_length", 14.0f}, {"dayan_tempo", 3.0f},
            {"baya_tempo", 4.0f}});

    // Coarse then fine; a fine value alone keeps the last coarse one; a coarse one clears it.
    play({{20, 10}, {52, 57}, {24, 10}, {56, 58}, {23, 127}, {55, 127}, {27, 64}, {59, 0}},
        {{"dayan_pattern", 1337.0f}, {"baya_pattern", 1337.0f}, {"dayan_tune", 12.0f},
            {"baya_tune", tune(64 * 128)}});
    play({{52, 3}, {59, 1}}, {{"dayan_pattern", 1283.0f}, {"baya_tune", tune(64 * 128 + 1)}});
    play({{20, 5}, {23, 64}}, {{"dayan_pattern", 640.0f}, {"dayan_tune", tune(64 * 128)}});
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
