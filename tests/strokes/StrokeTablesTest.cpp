// The embedded stroke tables: names, lengths, levels, clean ends, and equality with the
// committed asset files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "ExpectedStrokes.h"
#include "StrokeAnalysis.h"
#include "StrokeRecordings.h"

namespace {

std::vector<float> embedded(int index)
{
    const StrokeRecording& r = strokeRecordings()[index];
    return std::vector<float>(r.values, r.values + r.length);
}

} // namespace

TEST(StrokeTables, EmbeddedTablesHaveTheirNamesLengthsAndPeaks)
{
    uint64_t totalBytes = 0;
    for (int i = 0; i < kStrokeRecordingCount; ++i) {
        const StrokeRecording& r = strokeRecordings()[i];
        const ExpectedStroke& expected = kExpectedStrokes[i];
        SCOPED_TRACE(expected.name);
        EXPECT_STREQ(r.name, expected.name);
        EXPECT_EQ(r.length, expected.length);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(r.values) % 16, 0u);
        EXPECT_NEAR(peakMagnitude(embedded(i)), expected.peak, 1e-6);
        totalBytes += r.length * sizeof(float);
    }
    EXPECT_EQ(totalBytes, 1830544u);
    EXPECT_EQ(peakMagnitude(embedded(0)), 1.0f);
}

TEST(StrokeTables, EmbeddedTablesEqualTheCommittedFiles)
{
    for (int i = 0; i < kStrokeRecordingCount; ++i) {
        const StrokeRecording& r = strokeRecordings()[i];
        SCOPED_TRACE(r.name);
        const std::vector<char> file = readBytes(strokeFile(STROKE_ASSET_DIR, r.name));
        ASSERT_EQ(file.size(), r.length * sizeof(float));
        EXPECT_EQ(std::memcmp(file.data(), r.values, file.size()), 0);
    }
}

// No leading silence, no click when playback reaches the end, no offset, nothing out of range.
TEST(StrokeTables, EveryTableStartsAtOnceAndEndsInSilence)
{
    constexpr size_t kFirstMillisecond = 48;
    for (int i = 0; i < kStrokeRecordingCount; ++i) {
        const std::vector<float> values = embedded(i);
        SCOPED_TRACE(strokeRecordings()[i].name);
        const float peak = peakMagnitude(values);
        double sum = 0.0;
        for (float v : values) {
            ASSERT_TRUE(std::isfinite(v));
            ASSERT_LE(std::fabs(v), 1.0f);
            sum += v;
        }
        EXPECT_NE(values.front(), 0.0f);
        const std::vector<float> onset(values.begin(), values.begin() + kFirstMillisecond);
        EXPECT_GT(peakMagnitude(onset), peak * 0.3f); // within about 10 dB of the peak
        const std::vector<float> last64(values.end() - 64, values.end());
        EXPECT_LT(peakMagnitude(last64), peak * 1e-3f); // 60 dB down
        EXPECT_LE(std::fabs(sum / values.size()), peak * 1e-3);
    }
}
