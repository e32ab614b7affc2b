// Parameter records: which parameters count as output-or-trigger, and who releases enumeration
// lists (the sanitizer run catches a list freed twice, freed when borrowed, or leaked).
#include "ParameterInfo.h"

#include <gtest/gtest.h>

using namespace Orvane;

namespace {

TEST(ParameterInfo, OutputOrTriggerNeedsOutputOrABooleanTrigger)
{
    ParameterInfo parameter;
    EXPECT_FALSE(parameter.isOutputOrTrigger());
    parameter.hints = HintOutput | HintInteger;
    EXPECT_TRUE(parameter.isOutputOrTrigger());
    parameter.hints = HintTrigger;
    EXPECT_FALSE(parameter.isOutputOrTrigger());
    parameter.hints = HintTrigger | HintBoolean | HintAutomatable;
    EXPECT_TRUE(parameter.isOutputOrTrigger());
}

TEST(ParameterInfo, OwnedEnumerationsAreReleasedWithTheRecordBorrowedOnesAreNot)
{
    static EnumValue sharedValues[2];
    {
        ParameterInfo borrowing;
        borrowing.enumValues.owned = false;
        borrowing.enumValues.values = sharedValues;
        borrowing.enumValues.count = 2;
    }
    EXPECT_TRUE(sharedValues[1].label.isEmpty());

    ParameterInfo tempo;
    ASSERT_TRUE(tempo.enumValues.allocate(3));
    ASSERT_TRUE(tempo.enumValues.allocate(5));
    EXPECT_EQ(tempo.enumValues.count, 5);
    EXPECT_TRUE(tempo.enumValues.owned);
    tempo.enumValues.values[4] = EnumValue{4.0f,
        String("\xC3\xB7"
               "2")};
    EXPECT_EQ(tempo.enumValues.values[4].label, "÷2");
    EXPECT_EQ(tempo.enumValues.values[0].value, 0.0f);

    ASSERT_TRUE(tempo.enumValues.allocate(0));
    EXPECT_EQ(tempo.enumValues.values, nullptr);
    EXPECT_EQ(tempo.enumValues.count, 0);
}

} // namespace
