// The groove code as a user types and copies it: what is written for a groove, what reads back, the
// one line that names the first bad character of a refused code, and the options it stands for.
#include <gtest/gtest.h>

#include "GrooveCode.h"
#include "GrooveOptions.h"

using namespace Orvane;

namespace {

Groove groove(GrooveDrum dayan, GrooveDrum baya)
{
    return Groove{dayan, baya};
}

std::string refusal(const std::string& code)
{
    Groove read = groove({5, 5, 0, 1.0}, {6, 6, 1, 2.0});
    std::string error;
    EXPECT_FALSE(parseGrooveCode(code, read, error)) << code;
    // Nothing of a refused code is kept.
    EXPECT_EQ(formatGrooveCode(read), "D5:5:x2:+1 B6:6:x1.5:+2");
    return error;
}

} // namespace

TEST(GrooveCode, WritesAndReadsBackEveryField)
{
    EXPECT_EQ(
        formatGrooveCode(groove({17, 7, 1, 0.0}, {3, 12, 4, -1.0})), "D17:7:x1.5 B3:12:/2:-1");
    EXPECT_EQ(formatGrooveCode(groove({1337, 16, 0, 2.5}, {1, 4, 3, -0.001})),
        "D1337:16:x2:+2.5 B1:4:/1.5");
    EXPECT_EQ(formatGrooveCode(groove({1, 4, 2, 11.994}, {1, 4, 2, -12.0})),
        "D1:4:x1:+11.99 B1:4:x1:-12");

    const std::pair<const char*, const char*> readings[] = {
        {"D17:7:x1.5 B3:12:/2:-1", "D17:7:x1.5 B3:12:/2:-1"},
        {"  d17:7:X1.5,,__ b3:12:\xC3\xB7"
         "2:\xE2\x88\x92"
         "1.00\n",
            "D17:7:x1.5 B3:12:/2:-1"},
        {"D1:4:\xC3\x97"
         "2:+0.05_B1337:16:/1.5:0",
            "D1:4:x2:+0.05 B1337:16:/1.5"},
        {"D2:10:x1:12 B9:9:x1:-0.5", "D2:10:x1:+12 B9:9:x1:-0.5"},
    };
    for (const auto& [code, written] : readings) {
        Groove read;
        std::string error;
        ASSERT_TRUE(parseGrooveCode(code, read, error)) << code << ": " << error;
        EXPECT_EQ(formatGrooveCode(read), written);
    }

    // The values by symbol, the way the tools and the editor hand them to parameters.
    Groove read;
    std::string error;
    ASSERT_TRUE(parseGrooveCode("D17:7:x1.5 B3:12:/2:-1", read, error));
    GrooveValue values[kGrooveValueCount];
    grooveValues(read, values);
    EXPECT_STREQ(values[2].symbol, "dayan_tempo");
    EXPECT_EQ(values[2].value, 1.0);
    EXPECT_STREQ(values[7].symbol, "baya_tune");
    EXPECT_EQ(values[7].value, -1.0);
    Groove set;
    for (const GrooveValue& value : values)
        EXPECT_TRUE(setGrooveValue(set, value.symbol, value.value));
    EXPECT_EQ(formatGrooveCode(set), "D17:7:x1.5 B3:12:/2:-1");
    EXPECT_FALSE(setGrooveValue(set, "dayan_volume", 1.0));
}

TEST(GrooveCode, RefusesWholeNamingTheFirstBadCharacter)
{
    const std::pair<const char*, const char*> refusals[] = {
        {"D1338:4:x1 B1:4:x1", "unexpected \"8\" at character 5"},
        {"D0:4:x1 B1:4:x1", "unexpected \"0\" at character 2"},
        {"D017:4:x1 B1:4:x1", "unexpected \"0\" at character 2"},
        {"D1:3:x1 B1:4:x1", "unexpected \"3\" at character 4"},
        {"D1:1:x1 B1:4:x1", "unexpected \":\" at character 5"},
        {"D1:4:x1.7 B1:4:x1", "unexpected \"7\" at character 9"},
        {"D1:4:/1 B1:4:x1", "unexpected \" \" at character 8"},
        {"D1:4:\xC3\xB7"
         "3 B1:4:x1",
            "unexpected \"3\" at character 7"},
        {"D1:4:x1:12.5 B1:4:x1", "unexpected \"5\" at character 12"},
        {"D1:4:x1:0.125 B1:4:x1", "unexpected \"5\" at character 13"},
        {"D1:4:x1:+ B1:4:x1", "unexpected \" \" at character 10"},
        {"D1:4:x1B1:4:x1", "unexpected \"B\" at character 8"},
        {"B1:4:x1 D1:4:x1", "unexpected \"B\" at character 1"},
        {"D1:4:x1 B1:4:x1 D1", "unexpected \"D\" at character 17"},
        {"D1:4:x1\tB1:4:x1", "unexpected \"\\x09\" at character 8"},
        {"D1:4:\xC3\x97\xC3\x97", "unexpected \"\xC3\x97\" at character 7"},
        {"D1:4:x1 B1:1", "it ends too early"},
        {"", "it ends too early"},
    };
    for (const auto& [code, reason] : refusals)
        EXPECT_EQ(refusal(code), std::string("bad groove code: ") + reason) << code;
}

TEST(GrooveCode, OptionStandsForItsValuesBeforeTheSingleOptions)
{
    Support::GivenOptions given = {{"--dayan-length", "9"},
        {"--groove", "D17:7:x1.5 B3:12:/2:-1.5"}, {"--baya-tempo", "÷1.5"}};
    std::string error;
    ASSERT_TRUE(expandGrooveOptions(given, error)) << error;
    const Support::GivenOptions expected = {{"--dayan-pattern", "17"}, {"--dayan-length", "7"},
        {"--dayan-tempo", "1"}, {"--dayan-tune", "0"}, {"--baya-pattern", "3"},
        {"--baya-length", "12"}, {"--baya-tempo", "4"}, {"--baya-tune", "-1.5"},
        {"--dayan-length", "9"}, {"--baya-tempo", "÷1.5"}};
    EXPECT_EQ(given, expected);

    Support::GivenOptions bad = {{"--dayan-length", "9"}, {"--groove", "D17:7:x1.5 B3:12:/3"}};
    const Support::GivenOptions before = bad;
    EXPECT_FALSE(expandGrooveOptions(bad, error));
    EXPECT_EQ(error, "--groove: bad groove code: unexpected \"3\" at character 19");
    EXPECT_EQ(bad, before);
}
