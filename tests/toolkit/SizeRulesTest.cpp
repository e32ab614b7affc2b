// The pure size and scale-factor rules.
#include "SizeRules.h"

#include <gtest/gtest.h>

using Skein::constrainEmbeddedSize;
using Skein::Size;
using Skein::SizeConstraints;

TEST(SizeRules, EmbeddedSizeIsRaisedToTheMinimumAndFittedToItsAspectRatio)
{
    const SizeConstraints keep{242, 444, true, false, 1.0};
    EXPECT_EQ(constrainEmbeddedSize(600, 600, keep), (Size<unsigned>{327, 600}));
    EXPECT_EQ(constrainEmbeddedSize(242, 1000, keep), (Size<unsigned>{242, 444}));
    EXPECT_EQ(constrainEmbeddedSize(484, 888, keep), (Size<unsigned>{484, 888}));
    EXPECT_EQ(constrainEmbeddedSize(10, 10, keep), (Size<unsigned>{242, 444}));

    const SizeConstraints free{242, 444, false, false, 2.0};
    EXPECT_EQ(constrainEmbeddedSize(600, 600, free), (Size<unsigned>{600, 600}));
    EXPECT_EQ(constrainEmbeddedSize(100, 500, free), (Size<unsigned>{242, 500}));

    const SizeConstraints scaled{242, 444, true, true, 2.0};
    EXPECT_EQ(constrainEmbeddedSize(300, 300, scaled), (Size<unsigned>{484, 888}));

    const SizeConstraints none{};
    EXPECT_EQ(constrainEmbeddedSize(640, 480, none), (Size<unsigned>{640, 480}));
}

TEST(SizeRules, ScaleFactorFromDpiEnvironmentOrHost)
{
    EXPECT_DOUBLE_EQ(Skein::scaleFactorFromDpiText("144"), 1.5);
    EXPECT_DOUBLE_EQ(Skein::scaleFactorFromDpiText("96"), 1.0);
    for (const char* bad : {"0", "-10", "dpi", "", "nan", "inf"})
        EXPECT_DOUBLE_EQ(Skein::scaleFactorFromDpiText(bad), 1.0) << bad;

    EXPECT_DOUBLE_EQ(Skein::scaleFactorFromEnvironmentText("2"), 2.0);
    for (const char* low : {"0.5", "abc", "-3", "nan", "inf"})
        EXPECT_DOUBLE_EQ(Skein::scaleFactorFromEnvironmentText(low), 1.0) << low;

    EXPECT_DOUBLE_EQ(Skein::chooseScaleFactor(1.25, "2", 1.5), 1.25);
    EXPECT_DOUBLE_EQ(Skein::chooseScaleFactor(0.0, "2", 1.5), 2.0);
    EXPECT_DOUBLE_EQ(Skein::chooseScaleFactor(0.0, nullptr, 1.5), 1.5);
    EXPECT_DOUBLE_EQ(Skein::chooseScaleFactor(0.0, nullptr, 0.0), 1.0);
}
