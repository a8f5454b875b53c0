// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Format.h"

#include <clocale>
#include <gtest/gtest.h>
#include <stdexcept>

using florelle::format;

TEST(Format, WritesTheConversionsOfSqlTexts) {
    EXPECT_EQ(format("SELECT id FROM dates WHERE date = %d", 1710028800LL),
              "SELECT id FROM dates WHERE date = 1710028800");
    EXPECT_EQ(format("UPDATE weights SET weight = %f WHERE dateId = %d", 36.6, 7),
              "UPDATE weights SET weight = 36.600000 WHERE dateId = 7");
    EXPECT_EQ(format("INSERT INTO periods VALUES (NULL, %.0f, 0)", 1709251199.6),
              "INSERT INTO periods VALUES (NULL, 1709251200, 0)");
    EXPECT_EQ(format("%.0f", -0.4), "-0");
    EXPECT_EQ(format("'%@' %s 100%%", "a'b", "c"), "'a'b' c 100%");
}

TEST(Format, TextArgumentsAreNeverReadAsPatterns) {
    EXPECT_EQ(format("note '%@'", "50% off %d %@"), "note '50% off %d %@'");
}

TEST(Format, NumbersIgnoreTheUserLocale) {
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (!german) {
        german = std::setlocale(LC_NUMERIC, "C.UTF-8");
    }
    EXPECT_EQ(format("%f", 36.6), "36.600000");
    EXPECT_EQ(format("%d", 1234567), "1234567");
    std::setlocale(LC_ALL, "C");
}

TEST(Format, MismatchedArgumentsAreProgrammingErrors) {
    EXPECT_THROW(format("%d", 1.5), std::invalid_argument);
    EXPECT_THROW(format("%f", 2), std::invalid_argument);
    EXPECT_THROW(format("%d %d", 1), std::invalid_argument);
    EXPECT_THROW(format("%d", 1, 2), std::invalid_argument);
    EXPECT_THROW(format("%x", 1), std::invalid_argument);
}
