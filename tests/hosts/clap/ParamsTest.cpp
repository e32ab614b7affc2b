// "clap.params": descriptions, values, texts and flush, with the host's input untrusted.
#include "ClapFixture.h"
#include "StreamCapture.h"

#include <cmath>
#include <limits>

namespace {

struct ExpectedParameter {
    const char* name;
    const char* symbol;
    double min, max, def;
};

const ExpectedParameter kExpected[] = {
    {"Baya Length", "baya_length", 4, 16, 4},
    {"Baya Pattern", "baya_pattern", 1, 1337, 1},
    {"Baya Tempo", "baya_tempo", 0, 4, 2},
    {"Dayan Length", "dayan_length", 4, 16, 4},
    {"Dayan Pattern", "dayan_pattern", 1, 1337, 1},
    {"Dayan Tempo", "dayan_tempo", 0, 4, 2},
};

constexpr clap_id kBayaLength = 0;
constexpr clap_id kBayaPattern = 1;
constexpr clap_id kBayaTempo = 2;
constexpr clap_id kDayanTempo = 5;

clap_event_param_value_t valueEvent(clap_id id, double value)
{
    clap_event_param_value_t event{};
    event.header = {sizeof(event), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.value = value;
    return event;
}

class ClapParamsTest : public ClapFixture {
protected:
    std::string text(clap_id id, double value, uint32_t size = 64)
    {
        char buffer[64] = {};
        EXPECT_TRUE(params().value_to_text(plugin(), id, value, buffer, size));
        return buffer;
    }

    double value(clap_id id, const char* display)
    {
        double result = -100.0;
        EXPECT_TRUE(params().text_to_value(plugin(), id, display, &result));
        return result;
    }

    void flush(const InputEventList& events)
    {
        OutputEventList out;
        params().flush(plugin(), events.list(), out.list());
        EXPECT_EQ(out.size(), 0u); // no output parameters to report
    }
};

TEST_F(ClapParamsTest, SixAutomatableSteppedParameters)
{
    ASSERT_EQ(params().count(plugin()), 6u);
    for (uint32_t i = 0; i < 6; ++i) {
        clap_param_info_t info{};
        ASSERT_TRUE(params().get_info(plugin(), i, &info));
        EXPECT_EQ(info.id, i);
        EXPECT_EQ(info.flags, 0x21u);
        EXPECT_EQ(info.cookie, nullptr);
        EXPECT_STREQ(info.name, kExpected[i].name);
        EXPECT_STREQ(info.module, kExpected[i].symbol);
        EXPECT_EQ(info.min_value, kExpected[i].min);
        EXPECT_EQ(info.max_value, kExpected[i].max);
        EXPECT_EQ(info.default_value, kExpected[i].def);

        double current = -1.0;
        ASSERT_TRUE(params().get_value(plugin(), i, &current));
        EXPECT_EQ(current, kExpected[i].def);
    }
}

TEST_F(ClapParamsTest, ValuesShowAsTempoLabelsOrIntegers)
{
    EXPECT_EQ(text(kBayaTempo, 3), "÷1.5");
    EXPECT_EQ(text(kBayaTempo, 2.6), "÷1.5");
    EXPECT_EQ(text(kBayaTempo, 2.5), "÷1.5"); // half away from zero
    EXPECT_EQ(text(kDayanTempo, 0), "×2");
    EXPECT_EQ(text(kDayanTempo, 1), "×1.5");
    EXPECT_EQ(text(kDayanTempo, 2), "×1");
    EXPECT_EQ(text(kDayanTempo, 4), "÷2");
    EXPECT_EQ(text(kBayaTempo, 7), "7");
    EXPECT_EQ(text(kBayaLength, 12.5), "13");
    EXPECT_EQ(text(kBayaLength, -2.5), "-3");
    EXPECT_EQ(text(kBayaPattern, 1337.4), "1337");
    // Cut to the host's buffer, NUL included.
    EXPECT_EQ(text(kBayaPattern, 1337, 3), "13");
    EXPECT_EQ(text(kBayaTempo, 4, 2), "\xC3");
}

TEST_F(ClapParamsTest, TextsReadAsTempoLabelsOrIntegers)
{
    EXPECT_EQ(value(kBayaTempo, "×1.5"), 1.0);
    EXPECT_EQ(value(kDayanTempo, "÷2"), 4.0);
    EXPECT_EQ(value(kBayaTempo, "3"), 3.0);
    EXPECT_EQ(value(kBayaLength, "no digits"), 0.0);
    EXPECT_EQ(value(kBayaLength, "12.7"), 12.0);
    EXPECT_EQ(value(kBayaPattern, " 17"), 17.0);
}

TEST_F(ClapParamsTest, UntrustedIdsAndPointersAreRefused)
{
    clap_param_info_t info{};
    double result = 0.0;
    char buffer[16] = "untouched";
    for (const clap_id id : {6u, 7u, 0x7FFFFFFFu, CLAP_INVALID_ID}) {
        EXPECT_FALSE(params().get_info(plugin(), id, &info));
        result = 5.0;
        EXPECT_FALSE(params().get_value(plugin(), id, &result));
        EXPECT_EQ(result, 0.0);
        EXPECT_FALSE(params().value_to_text(plugin(), id, 1.0, buffer, sizeof(buffer)));
        EXPECT_FALSE(params().text_to_value(plugin(), id, "1", &result));
    }
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_FALSE(params().get_info(plugin(), 0, nullptr));
    EXPECT_FALSE(params().get_value(plugin(), 0, nullptr));
    EXPECT_FALSE(params().value_to_text(plugin(), 0, 1.0, nullptr, 16));
    EXPECT_FALSE(params().text_to_value(plugin(), 0, nullptr, &result));
    EXPECT_FALSE(params().text_to_value(plugin(), 0, "1", nullptr));

    StreamCapture capture(stderr);
    EXPECT_FALSE(params().value_to_text(plugin(), 0, 1.0, buffer, 0));
    EXPECT_NE(capture.text().find("\"size > 0\""), std::string::npos);
}

TEST_F(ClapParamsTest, FlushAppliesClampedValuesAndSkipsBadOnes)
{
    InputEventList events;
    events.add(valueEvent(kBayaPattern, 17).header);
    events.add(valueEvent(kBayaLength, 99).header);
    events.add(valueEvent(kDayanTempo, -3).header);
    events.add(valueEvent(3, std::nan("")).header);
    events.add(valueEvent(4, HUGE_VAL).header);
    events.add(valueEvent(6, 5).header);
    events.add(valueEvent(CLAP_INVALID_ID, 5).header);
    flush(events);

    EXPECT_EQ(instance->parameterValue(kBayaPattern), 17.0);
    EXPECT_EQ(instance->parameterValue(kBayaLength), 16.0);
    EXPECT_EQ(instance->parameterValue(kDayanTempo), 0.0);
    EXPECT_EQ(instance->parameterValue(3), 4.0);
    EXPECT_EQ(instance->parameterValue(4), 1.0);
    EXPECT_EQ(std::string(text(kDayanTempo, instance->parameterValue(kDayanTempo))), "×2");
}

// A stepped parameter plays, shows and saves the whole step its fraction truncates to.
TEST_F(ClapParamsTest, FractionsOfSteppedParametersAreTruncatedWhereTheyEnter)
{
    constexpr clap_id kDayanLength = 3;
    InputEventList events;
    events.add(valueEvent(kDayanLength, 13.7).header);
    events.add(valueEvent(kBayaPattern, -0.5).header); // clamped to 1 first
    events.add(valueEvent(kBayaTempo, 3.999).header);
    flush(events);
    EXPECT_EQ(instance->parameterValue(kDayanLength), 13.0);
    EXPECT_EQ(instance->parameterValue(kBayaPattern), 1.0);
    EXPECT_EQ(instance->parameterValue(kBayaTempo), 3.0);
    EXPECT_EQ(text(kDayanLength, instance->parameterValue(kDayanLength)), "13");
    // The text of an arbitrary value keeps its rounding.
    EXPECT_EQ(text(kDayanLength, 13.7), "14");

    std::string saved;
    ASSERT_TRUE(instance->saveState(saved));
    EXPECT_NE(saved.find(std::string("dayan_length\0"
                                     "13\0",
                  16)),
        std::string::npos);
}

TEST_F(ClapParamsTest, FlushStopsAtAMisSizedValueEvent)
{
    InputEventList events;
    events.add(valueEvent(kBayaPattern, 5).header);
    clap_event_param_value_t shortEvent = valueEvent(kBayaPattern, 6);
    shortEvent.header.size = 40;
    events.add(shortEvent.header);
    events.add(valueEvent(kBayaPattern, 7).header);

    StreamCapture capture(stderr);
    flush(events);
    const std::string text = capture.text();
    EXPECT_NE(text.find("\"event->size == sizeof(clap_event_param_value)\""), std::string::npos)
        << text;
    EXPECT_NE(text.find("v1 40, v2 56"), std::string::npos) << text;
    EXPECT_EQ(instance->parameterValue(kBayaPattern), 5.0);

    // Without lists there is nothing to do.
    params().flush(plugin(), nullptr, nullptr);
    EXPECT_EQ(instance->parameterValue(kBayaPattern), 5.0);
}

} // namespace
