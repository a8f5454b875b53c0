// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/PastPeriodEntry.h"

#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;
using Mode = PastPeriodEntry::Mode;
using Refusal = PastPeriodEntry::Refusal;

// A day of 2026 as month × 100 + day; 0 is no day.
Date day(int monthDay, int hour = 0) {
    return monthDay == 0 ? Date() : localDate(2026, monthDay / 100, monthDay % 100, hour);
}

std::vector<std::pair<int, int>> table() {
    std::vector<std::pair<int, int>> rows;
    auto periods = PastPeriodEntry::loggedPeriods();
    for (const auto& period : periods.value()) {
        rows.emplace_back(period.start == Date() ? 0 : localDay(period.start),
                          period.end == Date() ? 0 : localDay(period.end));
    }
    return rows;
}

class PastPeriodEntryTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        clock_->set(localDate(2026, 3, 20, 12));
        // Two closed periods; the times of day are those a default value carries.
        ASSERT_TRUE(DC::saveLog(day(105, 9), day(109, 21)));
        ASSERT_TRUE(DC::saveLog(day(202), day(206)));
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, PastPeriodEntryTest, ::testing::ValuesIn(dayRuleZones),
                         zoneTestName);

struct Case {
    const char* what;
    int start, end;
    bool isNew;
    int oldStart;
    Mode mode;
    std::optional<Refusal> refusal;
};

} // namespace

// Edits and deletions find a period by its start, and every day belongs to
// one period at most; an open period runs on past today.
TEST_P(PastPeriodEntryTest, RefusesEntriesThatWouldCorruptTheLog) {
    const std::vector<Case> cases = {
        {"end before start", 301, 227, true, 0, Mode::startAndEnd, Refusal::endBeforeStart},
        {"same start day", 202, 203, true, 0, Mode::startAndEnd, Refusal::sameStart},
        {"starts on another's last day", 206, 210, true, 0, Mode::startAndEnd, Refusal::overlap},
        {"ends on another's first day", 130, 202, true, 0, Mode::startAndEnd, Refusal::overlap},
        {"covers another", 101, 120, true, 0, Mode::startAndEnd, Refusal::overlap},
        {"open before another", 120, 0, true, 0, Mode::startOnly, Refusal::overlap},
        {"edit onto the other", 108, 206, false, 202, Mode::startAndEnd, Refusal::overlap},
        {"edit to the other's start", 202, 0, false, 105, Mode::startOnly, Refusal::sameStart},
        {"the day after another", 207, 210, true, 0, Mode::startAndEnd, std::nullopt},
        {"between two", 110, 201, true, 0, Mode::startAndEnd, std::nullopt},
        {"one day", 301, 301, true, 0, Mode::startAndEnd, std::nullopt},
        {"edit within its own days", 203, 208, false, 202, Mode::startAndEnd, std::nullopt},
        {"open after the last", 310, 0, true, 0, Mode::startOnly, std::nullopt},
    };
    auto before = table();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PastPeriodEntry::Entry entry{day(c.start), day(c.end), c.isNew, day(c.oldStart), c.mode};
        if (c.oldStart == 105) {
            entry.oldDate = day(105, 9);
        }
        EXPECT_EQ(
            PastPeriodEntry::check(entry, *PastPeriodEntry::loggedPeriods(), Calendar::current()),
            c.refusal);
        if (c.refusal) {
            auto outcome = PastPeriodEntry::save(entry, Calendar::current());
            EXPECT_EQ(outcome.refusal, c.refusal);
            EXPECT_FALSE(outcome.saved);
            EXPECT_EQ(table(), before);
            std::string key = PastPeriodEntry::messageKey(*c.refusal);
            EXPECT_NE(Strings::localized(key), key) << "the alert has a text";
        }
    }
}

TEST_P(PastPeriodEntryTest, AnOpenPeriodLeavesNoRoomAfterItsStart) {
    auto opened = PastPeriodEntry::save({day(310, 15), Date(), true, Date(), Mode::startOnly},
                                        Calendar::current());
    ASSERT_TRUE(opened.saved);
    EXPECT_FALSE(opened.isStartDate);
    EXPECT_EQ(DC::getLatestStartDay(), (long long)day(310).timeIntervalSince1970())
        << "stored as the local midnight";
    auto before = table();

    const std::vector<Case> cases = {
        {"days after its start", 312, 313, true, 0, Mode::startAndEnd, Refusal::overlap},
        {"an end before its start", 310, 309, false, 310, Mode::endOnly, Refusal::endBeforeStart},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto outcome = PastPeriodEntry::save(
            {day(c.start), day(c.end), c.isNew, day(c.oldStart), c.mode}, Calendar::current());
        EXPECT_EQ(outcome.refusal, c.refusal);
        EXPECT_FALSE(outcome.isStartDate);
        EXPECT_EQ(table(), before);
    }

    // An end-only entry without an end stores nothing; with one it closes
    // the open period, whatever start the caller showed.
    EXPECT_FALSE(PastPeriodEntry::save({day(310), Date(), false, day(310), Mode::endOnly},
                                       Calendar::current())
                     .saved);
    auto closed = PastPeriodEntry::save({day(101), day(312, 18), false, day(101), Mode::endOnly},
                                        Calendar::current());
    EXPECT_TRUE(closed.saved);
    EXPECT_TRUE(closed.isStartDate);
    EXPECT_EQ(DC::getIsStartDate(), 1);
    EXPECT_EQ(table().back(), std::make_pair(20260310, 20260312));
    EXPECT_EQ(table().size(), 3u);
}

// The next entry's kind follows the latest period whichever change opened or
// closed it, a deletion too.
TEST_P(PastPeriodEntryTest, DeletingTheOpenPeriodAsksForAStartAgain) {
    ASSERT_TRUE(PastPeriodEntry::save({day(310), Date(), true, Date(), Mode::startOnly},
                                      Calendar::current())
                    .saved);
    ASSERT_EQ(DC::getIsStartDate(), false);
    ASSERT_TRUE(PastPeriodEntry::remove(static_cast<long long>(day(310).timeIntervalSince1970())));
    EXPECT_EQ(DC::getIsStartDate(), true);
    EXPECT_EQ(table(),
              (std::vector<std::pair<int, int>>{{20260105, 20260109}, {20260202, 20260206}}));
}
