// The audio thread's failed checks: recorded without printing, then printed by the main thread,
// each distinct line at most once a second with a count of the failures it stands for.
#include "AudioAssertions.h"
#include "StreamCapture.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvane;

namespace {

bool failOnAudioThread(unsigned value)
{
    return ORVANE_AUDIO_CHECK_UINT(value == 0, value);
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Everything printed to standard error while `action` runs.
template <typename Action> std::string printed(Action action)
{
    StreamCapture capture(stderr);
    action();
    return capture.text();
}

TEST(AudioAssertions, LinesWaitForTheMainThreadAndRepeatAtMostOnceASecond)
{
    EXPECT_EQ(printed([] {
        for (int i = 0; i < 288; ++i)
            EXPECT_FALSE(failOnAudioThread(1));
    }),
        "");
    EXPECT_TRUE(takeAudioReportRequest());
    EXPECT_FALSE(takeAudioReportRequest()); // asked once until the main thread prints

    std::string text = printed([] { printAudioReports(100.0); });
    EXPECT_EQ(occurrences(text, "assertion failure: \"value == 0\" in file "), 1u) << text;
    EXPECT_NE(text.find(", value 1\x1b[0m\n"), std::string::npos) << text;
    EXPECT_NE(text.find("stands for 288 failures"), std::string::npos) << text;

    // Within the second the repeats wait; another value is another line, shown at once.
    failOnAudioThread(1);
    failOnAudioThread(1);
    failOnAudioThread(2);
    text = printed([] { printAudioReports(100.5); });
    EXPECT_EQ(occurrences(text, "\"value == 0\""), 1u) << text;
    EXPECT_NE(text.find(", value 2\x1b[0m\n"), std::string::npos) << text;
    text = printed([] { printAudioReports(101.0); });
    EXPECT_EQ(occurrences(text, ", value 1\x1b[0m\n"), 1u) << text;
    EXPECT_NE(text.find("stands for 2 failures"), std::string::npos) << text;
    EXPECT_EQ(printed([] { printAudioReports(105.0); }), "");
}

} // namespace
