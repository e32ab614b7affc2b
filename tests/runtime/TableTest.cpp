// Table creation, the zero guard and resizing.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/Table.h"

TEST(Table, CreateAppendsZeroGuard)
{
    std::vector<float> values(6000, 0.5f);
    Table table;
    ASSERT_TRUE(table.create(6000, values.data()));
    EXPECT_EQ(table.length(), 6000u);
    EXPECT_EQ(table.size(), 6000u);
    EXPECT_EQ(table.allocated(), 6001u);
    EXPECT_EQ(table.head(), 0u);
    EXPECT_EQ(table.buffer()[5999], 0.5f);
    EXPECT_EQ(table.buffer()[6000], 0.0f);
}

TEST(Table, ResizeKeepsValuesAndZeroesGrowth)
{
    const float values[4] = {1, 2, 3, 4};
    Table table;
    ASSERT_TRUE(table.create(4, values));
    const float* before = table.buffer();
    EXPECT_TRUE(table.resize(4));
    EXPECT_EQ(table.buffer(), before);

    ASSERT_TRUE(table.resize(6));
    EXPECT_EQ(table.allocated(), 7u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(table.buffer()[i], values[i]);
    for (int i = 4; i <= 6; ++i)
        EXPECT_EQ(table.buffer()[i], 0.0f);

    table.buffer()[2] = 9.0f;
    ASSERT_TRUE(table.resize(2));
    EXPECT_EQ(table.length(), 2u);
    EXPECT_EQ(table.buffer()[0], 1.0f);
    EXPECT_EQ(table.buffer()[1], 2.0f);
    EXPECT_EQ(table.buffer()[2], 9.0f); // the former value stays as the guard

    // Growing again clears everything from the old size on, that guard included.
    ASSERT_TRUE(table.resize(3));
    EXPECT_EQ(table.buffer()[2], 0.0f);
    EXPECT_EQ(table.buffer()[3], 0.0f);
}

TEST(Table, RefusesLengthWithoutRoomForGuard)
{
    Table table;
    EXPECT_FALSE(table.create(UINT32_MAX, nullptr));
    EXPECT_EQ(table.buffer(), nullptr);
    EXPECT_FALSE(table.resize(UINT32_MAX));
}
