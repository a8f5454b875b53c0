// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/CalLogic.h"

#include "calendar/CalAdditions.h"
#include "calendar/CalDate.h"
#include "foundation/Locale.h"
#include "foundation/NotificationCenter.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <unordered_set>

using namespace florelle;
using namespace florelle::testing;

namespace {

class CalLogicTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        Locale::setCurrent("en_US");
        CalDate::cacheTodaysDate();
    }
    void TearDown() override {
        Locale::setCurrent(std::nullopt);
        DiaryTest::TearDown();
    }

    static std::vector<std::string> texts(const std::vector<CalDate>& days) {
        std::vector<std::string> result;
        for (const auto& day : days) {
            result.push_back(day.description());
        }
        return result;
    }
};

TEST_F(CalLogicTest, DatesOrderByYearThenMonthThenDay) {
    EXPECT_EQ(CalDate(31, 12, 2010).compare(CalDate(1, 1, 2011)), -1);
    EXPECT_EQ(CalDate(31, 1, 2011).compare(CalDate(1, 2, 2011)), -1);
    EXPECT_EQ(CalDate(1, 2, 2011).compare(CalDate(31, 1, 2011)), 1);
    EXPECT_EQ(CalDate(7, 3, 2011).compare(CalDate::dateForDay(7, 3, 2011)), 0);
    EXPECT_EQ(CalDate(7, 3, 2011).description(), "3/7/2011");
    EXPECT_NE(CalDate(7, 3, 2011), CalDate(7, 4, 2011));
    EXPECT_EQ(std::hash<CalDate>()(CalDate(7, 3, 2011)), 7u);
    std::unordered_set<CalDate> set{CalDate(7, 3, 2011), CalDate(7, 4, 2011)};
    EXPECT_EQ(set.count(CalDate(7, 4, 2011)), 1u);
}

TEST_F(CalLogicTest, DateAndLocalDayConvertBothWaysInEveryZone) {
    for (const auto& zone : dayRuleZones) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        Date lateEvening = localDate(2026, 10, 25, 23, 30);
        EXPECT_EQ(CalDate::dateFromDate(lateEvening), CalDate(25, 10, 2026));
        EXPECT_EQ(CalDate(25, 10, 2026).date(), localDate(2026, 10, 25));
        EXPECT_EQ(CalAdditions::dateByMovingToEndOfDay(lateEvening),
                  localDate(2026, 10, 25, 23, 59, 59));
        EXPECT_EQ(CalAdditions::dateByMovingToFirstDayOfTheFollowingMonth(lateEvening),
                  localDate(2026, 11, 1));
        EXPECT_EQ(CalAdditions::dateByMovingToFirstDayOfThePreviousMonth(localDate(2026, 3, 31)),
                  localDate(2026, 2, 1));
    }
}

struct MonthRow {
    const char* locale;
    int year;
    int month;
    int leading;
    int trailing;
    int weeks;
};

// 2026: February starts on a Sunday and ends on a Saturday; March 2026
// starts on a Sunday; August 2026 starts on a Saturday and has 31 days;
// June 2026 starts on a Monday and ends on a Tuesday.
const MonthRow monthRows[] = {
    {"en_US", 2026, 2, 0, 0, 4}, {"en_US", 2026, 3, 0, 4, 5}, {"en_US", 2026, 8, 6, 5, 6},
    {"en_US", 2026, 6, 1, 4, 5}, {"de_DE", 2026, 2, 6, 1, 5}, {"de_DE", 2026, 3, 6, 5, 6},
    {"de_DE", 2026, 6, 0, 5, 5}, {"de_DE", 2021, 2, 0, 0, 4}, {"en_US", 2026, 5, 5, 6, 6},
};

TEST_F(CalLogicTest, GridRowsStartOnTheLocalesFirstWeekday) {
    for (const auto& row : monthRows) {
        SCOPED_TRACE(std::string(row.locale) + " " + std::to_string(row.year) + "-" +
                     std::to_string(row.month));
        Locale::setCurrent(row.locale);
        CalLogic logic(localDate(row.year, row.month, 15, 9));
        EXPECT_EQ(logic.numberOfDaysInPreviousPartialWeek(), row.leading);
        EXPECT_EQ(logic.numberOfDaysInFollowingPartialWeek(), row.trailing);
        EXPECT_EQ(logic.daysInFinalWeekOfPreviousMonth().size(), std::size_t(row.leading));
        EXPECT_EQ(logic.daysInFirstWeekOfFollowingMonth().size(), std::size_t(row.trailing));
        std::size_t total = logic.daysInFinalWeekOfPreviousMonth().size() +
                            logic.daysInSelectedMonth().size() +
                            logic.daysInFirstWeekOfFollowingMonth().size();
        EXPECT_EQ(total, std::size_t(row.weeks * 7));
        int firstWeekday = Locale(row.locale).firstWeekday();
        EXPECT_EQ(Calendar::current().components(logic.fromDate()).weekday, firstWeekday);
        EXPECT_EQ(CalAdditions::weekday(logic.fromDate()), 1);
        EXPECT_EQ(CalAdditions::weekday(logic.toDate()), 7);
    }
}

TEST_F(CalLogicTest, SpanRunsFromTheFirstShownDayToTheEndOfTheLast) {
    CalLogic february(localDate(2026, 2, 20));
    EXPECT_EQ(february.fromDate(), localDate(2026, 2, 1));
    EXPECT_EQ(february.toDate(), localDate(2026, 2, 28, 23, 59, 59));
    CalLogic august(localDate(2026, 8, 20));
    EXPECT_EQ(texts(august.daysInFinalWeekOfPreviousMonth()),
              (std::vector<std::string>{"7/26/2026", "7/27/2026", "7/28/2026", "7/29/2026",
                                        "7/30/2026", "7/31/2026"}));
    EXPECT_EQ(
        texts(august.daysInFirstWeekOfFollowingMonth()),
        (std::vector<std::string>{"9/1/2026", "9/2/2026", "9/3/2026", "9/4/2026", "9/5/2026"}));
    EXPECT_EQ(august.fromDate(), localDate(2026, 7, 26));
    EXPECT_EQ(august.toDate(), localDate(2026, 9, 5, 23, 59, 59));
}

TEST_F(CalLogicTest, DecemberToJanuaryAndBackCrossTheYear) {
    for (const auto& zone : dayRuleZones) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        CalLogic logic(localDate(2026, 12, 31, 23));
        EXPECT_EQ(logic.selectedMonthNameAndYear(), "December 2026");
        logic.advanceToFollowingMonth();
        EXPECT_EQ(logic.baseDate(), localDate(2027, 1, 1));
        EXPECT_EQ(logic.selectedMonthNameAndYear(), "January 2027");
        // 1 January 2027 is a Friday: five December days of the old year lead.
        EXPECT_EQ(texts(logic.daysInFinalWeekOfPreviousMonth()),
                  (std::vector<std::string>{"12/27/2026", "12/28/2026", "12/29/2026", "12/30/2026",
                                            "12/31/2026"}));
        logic.retreatToPreviousMonth();
        EXPECT_EQ(logic.baseDate(), localDate(2026, 12, 1));
        EXPECT_EQ(texts(logic.daysInFirstWeekOfFollowingMonth()),
                  (std::vector<std::string>{"1/1/2027", "1/2/2027"}));
        logic.retreatToPreviousMonth();
        EXPECT_EQ(logic.selectedMonthNameAndYear(), "November 2026");
    }
}

TEST_F(CalLogicTest, MonthThroughTheClockChangeKeepsWholeLocalDays) {
    setTimeZone("Europe/Berlin");
    CalLogic logic(localDate(2026, 10, 10));
    EXPECT_EQ(logic.daysInSelectedMonth().size(), 31u);
    EXPECT_EQ(logic.daysInSelectedMonth()[25], CalDate(26, 10, 2026));
    EXPECT_EQ(logic.toDate(), localDate(2026, 10, 31, 23, 59, 59));
}

TEST_F(CalLogicTest, TitleIsTheStandAloneMonthNameAndReportedOnEveryMove) {
    Locale::setCurrent("hr_HR");
    CalLogic logic(localDate(2026, 3, 10));
    // Stand-alone (nominative) month name, not the genitive "ožujka".
    EXPECT_EQ(logic.selectedMonthNameAndYear(), "ožujak 2026");
    std::vector<std::string> titles;
    logic.onSelectedMonthNameAndYearChanged = [&](const std::string& title) {
        titles.push_back(title);
    };
    logic.advanceToFollowingMonth();
    logic.moveToMonthForDate(localDate(2026, 4, 20));
    EXPECT_EQ(titles, (std::vector<std::string>{"travanj 2026", "travanj 2026"}));
}

TEST_F(CalLogicTest, TodayFlipsAtMidnightOnlyWithTheNotice) {
    for (const auto& zone : dayRuleZones) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        clock_->set(localDate(2026, 3, 10, 23, 59));
        CalDate::cacheTodaysDate();
        EXPECT_TRUE(CalDate(10, 3, 2026).isToday());
        clock_->advance(120);
        EXPECT_TRUE(CalDate(10, 3, 2026).isToday());
        NotificationCenter::defaultCenter().post(
            NotificationCenter::significantTimeChangeNotification);
        EXPECT_FALSE(CalDate(10, 3, 2026).isToday());
        EXPECT_TRUE(CalDate(11, 3, 2026).isToday());
    }
}

} // namespace
