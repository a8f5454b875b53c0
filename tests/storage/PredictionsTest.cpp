// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// Every case runs in each zone of dayRuleZones: the expected local days are
// the same everywhere.
class Predictions : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        ASSERT_TRUE(DC::saveCycleLength(28));
        ASSERT_TRUE(DC::savePeriodLength(5));
        ASSERT_TRUE(DC::saveOvulationDay(14));
    }

    void setToday(int year, int month, int day, int hour = 12) {
        clock_->set(localDate(year, month, day, hour));
    }

    static void logPeriod(int year, int month, int day, int lastMonth, int lastDay) {
        ASSERT_TRUE(DC::saveLog(localDate(year, month, day), localDate(year, lastMonth, lastDay)));
    }

    Date now() const { return clock_->now(); }

    // A whole month as the calendar asks for it.
    std::vector<int> periodDays(int year, int month) const {
        return localDays(DC::getPeriodDatesFrom(localDate(year, month, 1, 12),
                                                localDate(year, month + 1, 0, 12), now())
                             .value());
    }
    std::vector<int> fertileDays(int year, int month, int lastMonth = 0) const {
        return localDays(DC::getFertileDatesFrom(
                             localDate(year, month, 1, 12),
                             localDate(year, (lastMonth ? lastMonth : month) + 1, 0, 12), now())
                             .value());
    }
    std::vector<Date> ovulationDates(int year, int month) const {
        return DC::getOvulationDatesFrom(localDate(year, month, 1),
                                         localDate(year, month + 1, 0, 23, 59, 59), now())
            .value();
    }

    // Twelve runs of `length` days, one cycle apart, from the given day.
    static std::vector<int> predictedRuns(int year, int month, int day, int length,
                                          int cycle = 28) {
        std::vector<std::vector<int>> runs;
        for (int i = 0; i < 12; ++i) {
            runs.push_back(dayRun(year, month, day + i * cycle, length));
        }
        return joined(runs);
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, Predictions, ::testing::ValuesIn(dayRuleZones), zoneTestName);

TEST_P(Predictions, MarchSpanShowsTheLoggedPeriodAndTheNextOne) {
    logPeriod(2026, 3, 1, 3, 5);
    setToday(2026, 3, 10);
    EXPECT_EQ(periodDays(2026, 3), joined({dayRun(2026, 3, 1, 5), dayRun(2026, 3, 29, 3)}));
    EXPECT_EQ(fertileDays(2026, 3), dayRun(2026, 3, 6, 11));
    EXPECT_EQ(localDays(ovulationDates(2026, 3)), (std::vector<int>{20260315, 20260315}));
    EXPECT_EQ(DC::getRemainingDays(now()), 19);
}

TEST_P(Predictions, AprilSpanShowsPredictedDaysOnly) {
    logPeriod(2026, 3, 1, 3, 5);
    setToday(2026, 3, 10);
    // The tail of the period from 29 March and the next one, 26-30 April;
    // 1 May belongs to no period and is not listed.
    EXPECT_EQ(periodDays(2026, 4), joined({dayRun(2026, 4, 1, 2), dayRun(2026, 4, 26, 5)}));
    EXPECT_EQ(fertileDays(2026, 4), dayRun(2026, 4, 3, 11));
    EXPECT_EQ(localDays(ovulationDates(2026, 4)), (std::vector<int>{20260412}));
}

TEST_P(Predictions, NextPeriodCountsFromTheRealStartOfAPeriodBeginningBeforeTheSpan) {
    logPeriod(2026, 2, 27, 3, 3);
    setToday(2026, 3, 10);
    EXPECT_EQ(periodDays(2026, 3), joined({dayRun(2026, 3, 1, 3), dayRun(2026, 3, 27, 5)}));
    EXPECT_EQ(periodDays(2026, 4), dayRun(2026, 4, 24, 5));
}

TEST_P(Predictions, PredictedPeriodWhollyInsideTheSpanIsLogged) {
    logPeriod(2026, 3, 1, 3, 5);
    setToday(2026, 3, 10);
    log_->clear();
    EXPECT_EQ(periodDays(2026, 5), dayRun(2026, 5, 24, 5));
    EXPECT_EQ(log_->lines().size(), 5u);
}

TEST_P(Predictions, PastPredictedDaysAreHiddenButTodayIsShown) {
    logPeriod(2026, 3, 1, 3, 5);
    setToday(2026, 4, 27, 20);
    EXPECT_EQ(periodDays(2026, 4), dayRun(2026, 4, 27, 4));
    // The ovulation day predicted for today is still marked.
    setToday(2026, 4, 12, 20);
    EXPECT_EQ(localDays(ovulationDates(2026, 4)), (std::vector<int>{20260412}));
}

TEST_P(Predictions, PredictionsKeepTheirDayAcrossTheAutumnClockChange) {
    logPeriod(2026, 10, 1, 10, 5);
    setToday(2026, 10, 10);
    EXPECT_EQ(periodDays(2026, 10), joined({dayRun(2026, 10, 1, 5), dayRun(2026, 10, 29, 3)}));
    EXPECT_EQ(periodDays(2026, 11), joined({dayRun(2026, 11, 1, 2), dayRun(2026, 11, 26, 5)}));
    setToday(2026, 10, 29, 8);
    EXPECT_EQ(DC::getRemainingDays(now()), 0);
}

TEST_P(Predictions, DueTodayAndOverdue) {
    logPeriod(2026, 3, 1, 3, 5);
    setToday(2026, 3, 28, 23);
    EXPECT_EQ(DC::getRemainingDays(now()), 1);
    setToday(2026, 3, 29, 0);
    EXPECT_EQ(DC::getRemainingDays(now()), 0);
    setToday(2026, 3, 29, 23);
    EXPECT_EQ(DC::getRemainingDays(now()), 0);
    setToday(2026, 3, 30, 1);
    EXPECT_EQ(DC::getRemainingDays(now()), -27);
    setToday(2026, 4, 5);
    EXPECT_EQ(DC::getRemainingDays(now()), -21);
}

TEST_P(Predictions, OpenPeriodShowsItsDaysUpToToday) {
    logPeriod(2026, 3, 1, 3, 3);
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 7)));
    setToday(2026, 3, 10);
    // The period of 1-3 March stays marked beside the open one.
    EXPECT_EQ(periodDays(2026, 3), joined({dayRun(2026, 3, 1, 3), dayRun(2026, 3, 7, 4)}));
    EXPECT_TRUE(fertileDays(2026, 3).empty());
    EXPECT_EQ(DC::getRemainingDays(now()), 25);

    // The copied calendar keeps the current period; predictions follow it.
    EXPECT_EQ(localDays(DC::getAllPeriodDates(now()).value()),
              joined({dayRun(2026, 3, 1, 3), dayRun(2026, 3, 7, 4), predictedRuns(2026, 4, 4, 5)}));
    EXPECT_EQ(localDays(DC::getAllFertileDates(now()).value()),
              joined({dayRun(2026, 3, 4, 11), predictedRuns(2026, 4, 9, 11)}));
}

TEST_P(Predictions, OpenPeriodReachesIntoTheNextMonth) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 2, 27)));
    setToday(2026, 3, 2);
    EXPECT_EQ(periodDays(2026, 3), dayRun(2026, 3, 1, 2));
    EXPECT_EQ(periodDays(2026, 2), dayRun(2026, 2, 27, 4));
}

TEST_P(Predictions, TwoPeriodsInOneSpanGetNoPrediction) {
    ASSERT_TRUE(DC::saveCycleLength(26));
    logPeriod(2026, 3, 1, 3, 4);
    logPeriod(2026, 3, 27, 3, 30);
    setToday(2026, 3, 31);
    EXPECT_EQ(periodDays(2026, 3), joined({dayRun(2026, 3, 1, 4), dayRun(2026, 3, 27, 4)}));
    EXPECT_EQ(fertileDays(2026, 3), joined({dayRun(2026, 3, 5, 11), dayRun(2026, 3, 31, 1)}));
    // One ovulation day per period, the latest period first.
    auto ovulation = ovulationDates(2026, 3);
    ASSERT_EQ(ovulation.size(), 2u);
    EXPECT_EQ(localDay(ovulation[0]), 20260410);
    EXPECT_EQ(localDay(ovulation[1]), 20260315);
}

TEST_P(Predictions, RegularCycleFertileWindowsFollowEachPeriod) {
    logPeriod(2026, 1, 1, 1, 5);
    logPeriod(2026, 1, 29, 2, 2);
    setToday(2026, 2, 10);
    EXPECT_EQ(
        localDays(DC::getAllFertileDates(now()).value()),
        joined({dayRun(2026, 1, 6, 11), dayRun(2026, 2, 3, 11), predictedRuns(2026, 3, 3, 11)}));
    EXPECT_EQ(
        localDays(DC::getAllPeriodDates(now()).value()),
        joined({dayRun(2026, 1, 1, 5), dayRun(2026, 1, 29, 5), predictedRuns(2026, 2, 26, 5)}));
}

TEST_P(Predictions, CurrentWindowFollowsTheLatestPeriodsRealLength) {
    logPeriod(2026, 3, 1, 3, 7); // seven days where five are predicted
    setToday(2026, 3, 10);
    EXPECT_EQ(fertileDays(2026, 4), dayRun(2026, 4, 3, 11));
    setToday(2026, 4, 1);
    // Rows hold no period in April: the March window is shifted by the two
    // extra days and lies in the past; April's follows the predicted length.
    EXPECT_EQ(fertileDays(2026, 4), dayRun(2026, 4, 3, 11));
}

TEST_P(Predictions, IrregularCycleStatistics) {
    ASSERT_TRUE(DC::saveCycleLength(35));
    logPeriod(2026, 1, 1, 1, 5);
    auto single = DC::getCycleStatistics().value();
    EXPECT_EQ(single.shortest, 33);
    EXPECT_EQ(single.longest, 37);

    logPeriod(2026, 2, 5, 2, 9);
    logPeriod(2026, 3, 12, 3, 16);
    auto stats = DC::getCycleStatistics().value();
    EXPECT_EQ(stats.shortest, 35);
    EXPECT_EQ(stats.longest, 35);

    // 12 March to 16 April crosses the spring clock change: still 35 days.
    logPeriod(2026, 4, 16, 4, 20);
    logPeriod(2026, 5, 20, 5, 24);
    stats = DC::getCycleStatistics().value();
    EXPECT_EQ(stats.shortest, 34);
    EXPECT_EQ(stats.longest, 35);
}

TEST_P(Predictions, IrregularFertileWindowsUseShortestAndLongestCycle) {
    ASSERT_TRUE(DC::saveCycleLength(35));
    logPeriod(2026, 1, 1, 1, 5);
    logPeriod(2026, 2, 5, 2, 9);
    logPeriod(2026, 3, 12, 3, 16);
    setToday(2026, 3, 20);
    auto all = localDays(DC::getAllFertileDates(now()).value());
    // From start + 16 days up to end + 25 days.
    for (const auto& window :
         {dayRun(2026, 1, 17, 14), dayRun(2026, 2, 21, 14), dayRun(2026, 3, 28, 14)}) {
        EXPECT_TRUE(std::includes(all.begin(), all.end(), window.begin(), window.end()));
    }
    // Predicted: from B + 16 days to before B + 25 days, B = 16 April.
    EXPECT_TRUE(std::binary_search(all.begin(), all.end(), 20260502));
    EXPECT_TRUE(std::binary_search(all.begin(), all.end(), 20260510));
    EXPECT_FALSE(std::binary_search(all.begin(), all.end(), 20260511));
    EXPECT_EQ(all.size(), 3u * 14 + 12u * 9);
}

TEST_P(Predictions, IrregularSpanWithOneClosedPeriodGetsTheNextCyclesWindow) {
    ASSERT_TRUE(DC::saveCycleLength(35));
    logPeriod(2026, 1, 1, 1, 5);
    setToday(2026, 1, 10);
    EXPECT_EQ(fertileDays(2026, 1, 2), joined({dayRun(2026, 1, 15, 13), dayRun(2026, 2, 19, 10)}));
}

TEST_P(Predictions, NoPeriodLogged) {
    setToday(2026, 3, 10);
    EXPECT_TRUE(periodDays(2026, 3).empty());
    EXPECT_TRUE(fertileDays(2026, 3).empty());
    EXPECT_TRUE(ovulationDates(2026, 3).empty());
    EXPECT_EQ(DC::getRemainingDays(now()), 0);
    // The copied calendar predicts from now on.
    EXPECT_EQ(localDays(DC::getAllPeriodDates(now()).value()), predictedRuns(2026, 3, 10, 5));
}

TEST_P(Predictions, MarkedDatesAreWholeLocalDays) {
    int marked = DC::openDay(localDate(2026, 3, 3, 18)).value();
    ASSERT_TRUE(DC::saveNote("headache", marked, Clock::current()->now()));
    ASSERT_TRUE(DC::openDay(localDate(2026, 3, 4, 9)));
    EXPECT_EQ(
        localDays(DC::getMarkedDatesFrom(localDate(2026, 3, 1), localDate(2026, 3, 31, 23, 59, 59))
                      .value()),
        (std::vector<int>{20260303}));
    EXPECT_EQ(
        localDays(DC::getMarkedDatesFrom(localDate(2026, 3, 3, 23), localDate(2026, 3, 3, 23, 30))
                      .value()),
        (std::vector<int>{20260303}));
    EXPECT_TRUE(
        DC::getMarkedDatesFrom(localDate(2026, 3, 4), localDate(2026, 3, 31)).value().empty());
}

} // namespace
