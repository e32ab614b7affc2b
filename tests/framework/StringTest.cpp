// The framework's text type: empty texts, number forms, buffer reuse and appending.
#include "String.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

using Orvane::String;

namespace {

TEST(String, EmptyStringsShareOneStaticText)
{
    const String a;
    const String b(nullptr);
    String c("x");
    c.clear();
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(a.length(), 0u);
    EXPECT_STREQ(a.buffer(), "");
    EXPECT_EQ(a.buffer(), b.buffer());
    EXPECT_EQ(a.buffer(), c.buffer());
    EXPECT_EQ(String("").buffer(), a.buffer());
}

TEST(String, NumbersUseSignedAndUnsignedDecimalForms)
{
    EXPECT_EQ(String(int32_t{-42}), "-42");
    EXPECT_EQ(String(INT32_MIN), "-2147483648");
    EXPECT_EQ(String(uint32_t{7}), "7");
    EXPECT_EQ(String(UINT32_MAX), "4294967295");
}

TEST(String, AssigningTheHeldTextKeepsTheBuffer)
{
    String text("Baya Length");
    const char* const before = text.buffer();
    text = "Baya Length";
    EXPECT_EQ(text.buffer(), before);
    const String same("Baya Length");
    text = same;
    EXPECT_EQ(text.buffer(), before);

    text = "Baya Pattern";
    EXPECT_EQ(text, "Baya Pattern");
    EXPECT_EQ(text.length(), 12u);
    text = static_cast<const char*>(nullptr);
    EXPECT_TRUE(text.isEmpty());
}

TEST(String, CopiesAreIndependentAndMovesEmptyTheSource)
{
    String original("abc");
    String copy(original);
    original = "xyz";
    EXPECT_EQ(copy, "abc");

    String moved(std::move(original));
    EXPECT_EQ(moved, "xyz");
    EXPECT_TRUE(original.isEmpty());

    copy = std::move(moved);
    EXPECT_EQ(copy, "xyz");
    EXPECT_TRUE(moved.isEmpty());
}

TEST(String, AppendingJoinsTextsIncludingItself)
{
    String key("__zef_param");
    key.append("eters_begin__garbage", 13);
    EXPECT_EQ(key, "__zef_parameters_begin__");
    EXPECT_EQ(key.length(), 24u);

    String twice("ab");
    twice += twice;
    twice += twice;
    EXPECT_EQ(twice, "abababab");

    EXPECT_EQ(String("Audio Output ") + String(uint32_t{2}), "Audio Output 2");
    EXPECT_EQ(String() + "cv_in_", "cv_in_");
    String unchanged("u");
    unchanged += static_cast<const char*>(nullptr);
    unchanged.append("zzz", 0);
    EXPECT_EQ(unchanged, "u");
}

TEST(String, EqualityComparesContents)
{
    EXPECT_EQ(String("a"), String("a"));
    EXPECT_NE(String("a"), String("ab"));
    EXPECT_NE(String("ab"), "a");
    EXPECT_FALSE(String() == static_cast<const char*>(nullptr));
    EXPECT_EQ(String(), "");
}

} // namespace
