// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Row.h"

#include <gtest/gtest.h>

using florelle::Row;

TEST(Row, NumbersAreReadLeniently) {
    EXPECT_EQ(Row::integerValue(std::string_view("1710028800")), 1710028800);
    EXPECT_EQ(Row::integerValue(std::string_view("  -42abc")), -42);
    EXPECT_EQ(Row::integerValue(std::string_view("1700000000.75")), 1700000000);
    EXPECT_EQ(Row::integerValue(std::string_view("")), 0);
    EXPECT_EQ(Row::integerValue(std::string_view("abc")), 0);
    EXPECT_EQ(Row::integerValue(Row::Value()), 0);
    EXPECT_DOUBLE_EQ(Row::doubleValue(std::string_view("36.6")), 36.6);
    EXPECT_DOUBLE_EQ(Row::doubleValue(std::string_view("+1e2")), 100);
    EXPECT_DOUBLE_EQ(Row::doubleValue(std::string_view("x")), 0);
}

TEST(Row, LaterColumnsOfTheSameNameReplaceEarlierOnes) {
    Row row;
    row.set("id", "1");
    row.set("name", std::nullopt);
    row.set("id", "2");
    EXPECT_EQ(row.size(), 2u);
    EXPECT_EQ(row.integer("id"), 2);
    EXPECT_EQ(row.text("name"), std::nullopt);
    EXPECT_EQ(row.text("missing"), std::nullopt);
    EXPECT_EQ(row.columns().front().first, "id");
}
