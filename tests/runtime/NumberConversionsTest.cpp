// Float-to-integer conversions for every input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/NumberConversions.h"

TEST(NumberConversions, Int32TruncatesAndSaturates)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(saturatingToInt32(2.9f), 2);
    EXPECT_EQ(saturatingToInt32(-2.9f), -2);
    EXPECT_EQ(saturatingToInt32(std::nanf("")), 0);
    EXPECT_EQ(saturatingToInt32(inf), INT32_MAX);
    EXPECT_EQ(saturatingToInt32(-inf), INT32_MIN);
    EXPECT_EQ(saturatingToInt32(2147483648.0f), INT32_MAX);
    EXPECT_EQ(saturatingToInt32(-2147483648.0f), INT32_MIN);
    EXPECT_EQ(saturatingToInt32(2147483520.0f), 2147483520); // largest float below 2^31
    EXPECT_EQ(saturatingToInt32(-3e38f), INT32_MIN);
}

TEST(NumberConversions, Uint32TruncatesAndSaturates)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(saturatingToUint32(7.99), 7u);
    EXPECT_EQ(saturatingToUint32(-0.5), 0u);
    EXPECT_EQ(saturatingToUint32(-1e30), 0u);
    EXPECT_EQ(saturatingToUint32(std::nan("")), 0u);
    EXPECT_EQ(saturatingToUint32(inf), UINT32_MAX);
    EXPECT_EQ(saturatingToUint32(-inf), 0u);
    EXPECT_EQ(saturatingToUint32(4294967295.5), UINT32_MAX);
    EXPECT_EQ(saturatingToUint32(4294967296.0), UINT32_MAX);
}
