// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawDatabase.h"
#include "storage/DatabaseController.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class PeriodsTest : public DiaryTest {};

std::vector<std::string> texts(std::initializer_list<long long> values) {
    std::vector<std::string> out;
    for (long long value : values) {
        out.push_back(std::to_string(value));
    }
    return out;
}

} // namespace

TEST_F(PeriodsTest, StartingAndEndingAPeriod) {
    double start = utcSeconds(2026, 3, 1);
    ASSERT_TRUE(DatabaseController::saveStartPeriod(Date(start)));
    EXPECT_EQ(DatabaseController::getLatestStartDay(), start);
    EXPECT_EQ(DatabaseController::getLatestEndDay(), 0);
    ASSERT_TRUE(DatabaseController::saveEndPeriod(Date(utcSeconds(2026, 3, 5) + 0.6)));
    EXPECT_EQ(DatabaseController::getLatestEndDay(), utcSeconds(2026, 3, 5) + 1) << "rounded";
}

TEST_F(PeriodsTest, EndingWithoutAnOpenPeriodChangesNothing) {
    ASSERT_TRUE(DatabaseController::saveLog(Date(1000), Date(2000)));
    ASSERT_TRUE(DatabaseController::saveEndPeriod(Date(5000)));
    RawDatabase raw(databaseFile());
    EXPECT_EQ(
        raw.text("SELECT group_concat(id || ':' || startDate || '-' || endDate) FROM periods"),
        "1:1000-2000");
}

TEST_F(PeriodsTest, TheTwelveMostRecentPeriodsWithEachEndBesideItsStart) {
    const long long day = 86400;
    std::vector<long long> starts;
    for (int i = 0; i < 14; ++i) {
        starts.push_back(utcSeconds(2025, 1, 1) + i * 28 * day);
    }
    // Logged out of order, as the past-period calendar allows.
    for (int i : {13, 2, 0, 7, 1, 12, 3, 4, 5, 6, 8, 9, 10, 11}) {
        if (i == 13) {
            continue;
        }
        ASSERT_TRUE(DatabaseController::saveLog(Date(starts[i]), Date(starts[i] + 4 * day)));
    }
    ASSERT_TRUE(DatabaseController::saveStartPeriod(Date(starts[13])));
    auto startDates = DatabaseController::getStartDates().value();
    auto endDates = DatabaseController::getEndDates().value();
    ASSERT_EQ(startDates.size(), 12u);
    ASSERT_EQ(endDates.size(), 12u);
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(startDates[i], std::to_string(starts[i + 2]));
        EXPECT_EQ(endDates[i], std::to_string(starts[i + 2] + 4 * day));
    }
    EXPECT_EQ(startDates.back(), std::to_string(starts[13]));
    EXPECT_EQ(endDates.back(), "0") << "the open period's end stands last, beside its start";
}

TEST_F(PeriodsTest, FewPeriodsComePairedToo) {
    ASSERT_TRUE(DatabaseController::saveLog(Date(3000), Date(3500)));
    ASSERT_TRUE(DatabaseController::saveLog(Date(1000), Date(1500)));
    EXPECT_EQ(DatabaseController::getStartDates(), texts({1000, 3000}));
    EXPECT_EQ(DatabaseController::getEndDates(), texts({1500, 3500}));
}

TEST_F(PeriodsTest, EditingAPeriodAddressesItByItsStart) {
    ASSERT_TRUE(DatabaseController::saveLog(Date(1000), Date(2000)));
    ASSERT_TRUE(DatabaseController::saveLog(Date(5000), Date(6000)));
    ASSERT_TRUE(DatabaseController::updatePeriodWithStartDate(Date(1100), Date(2100), Date(1000)));
    EXPECT_EQ(DatabaseController::getStartDates(), texts({1100, 5000}));
    EXPECT_EQ(DatabaseController::getEndDates(), texts({2100, 6000}));
    ASSERT_TRUE(DatabaseController::updatePeriodWithStartDate(Date(1), Date(2), Date(999)));
    EXPECT_EQ(DatabaseController::getStartDates(), texts({1100, 5000}));
}

TEST_F(PeriodsTest, PeriodsTouchingASpan) {
    ASSERT_TRUE(DatabaseController::saveLog(Date(1000), Date(2000)));
    ASSERT_TRUE(DatabaseController::saveLog(Date(5000), Date(6000)));
    ASSERT_TRUE(DatabaseController::saveStartPeriod(Date(9000)));
    auto rows = DatabaseController::getPeriodDatesBtwStart(Date(1500.9), Date(5500)).value();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].integer("startDate"), 5000) << "newest first";
    EXPECT_EQ(rows[1].integer("endDate"), 2000);
    rows = DatabaseController::getPeriodDatesBtwStart(Date(8000), Date(10000)).value();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].integer("endDate"), 0);
}
