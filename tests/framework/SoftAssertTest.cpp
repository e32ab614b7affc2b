// The exact text of soft assertion and warning lines.
#include "SoftAssert.h"
#include "StreamCapture.h"

#include <gtest/gtest.h>

namespace {

std::string expectedLine(const char* condition, int line, const char* values)
{
    return std::string("\x1b[31massertion failure: \"") + condition +
        "\" in file tests/framework/SoftAssertTest, line " + std::to_string(line) + values +
        "\x1b[0m\n";
}

TEST(SoftAssert, PassingChecksPrintNothingAndYieldTrue)
{
    StreamCapture capture(stderr);
    const int value = 3;
    EXPECT_TRUE(ORVANE_CHECK(value == 3));
    EXPECT_TRUE(ORVANE_CHECK_INT(value > 0, value));
    EXPECT_TRUE(ORVANE_CHECK_UINT2(value != 0, value, 0));
    EXPECT_EQ(capture.text(), "");
}

TEST(SoftAssert, FailedChecksPrintOneRedLineInEachVariant)
{
    StreamCapture capture(stderr);
    const int value = -7;
    const int lineOfPlain = __LINE__ + 1;
    EXPECT_FALSE(ORVANE_CHECK(value > 0));
    const int lineOfInt = __LINE__ + 1;
    EXPECT_FALSE(ORVANE_CHECK_INT(value > 0, value));
    const int lineOfUInt = __LINE__ + 1;
    EXPECT_FALSE(ORVANE_CHECK_UINT(value > 0, 4000000000u));
    const int lineOfInt2 = __LINE__ + 1;
    EXPECT_FALSE(ORVANE_CHECK_INT2(value > 0, value, -1));
    const int lineOfUInt2 = __LINE__ + 1;
    EXPECT_FALSE(ORVANE_CHECK_UINT2(value > 0, 513, 512));

    EXPECT_EQ(capture.text(),
        expectedLine("value > 0", lineOfPlain, "") +
            expectedLine("value > 0", lineOfInt, ", value -7") +
            expectedLine("value > 0", lineOfUInt, ", value 4000000000") +
            expectedLine("value > 0", lineOfInt2, ", v1 -7, v2 -1") +
            expectedLine("value > 0", lineOfUInt2, ", v1 513, v2 512"));
}

TEST(SoftAssert, FileIsShownWithoutExtensionOnlyInTheLastComponent)
{
    StreamCapture capture(stderr);
    Orvane::reportAssertion("a", "src/v1.2/Window.cpp", 5);
    Orvane::reportAssertion("b", "src/v1.2/Makefile", 6);
    EXPECT_EQ(capture.text(),
        "\x1b[31massertion failure: \"a\" in file src/v1.2/Window, line 5\x1b[0m\n"
        "\x1b[31massertion failure: \"b\" in file src/v1.2/Makefile, line 6\x1b[0m\n");
}

TEST(SoftAssert, WarningsUseTheRedWrappingWithoutPrefix)
{
    StreamCapture capture(stderr);
    Orvane::printWarning("%u voices dropped, %s", 3u, "sorry");
    EXPECT_EQ(capture.text(), "\x1b[31m3 voices dropped, sorry\x1b[0m\n");
}

} // namespace
