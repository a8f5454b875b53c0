// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/PeriodSummary.h"

#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using Tab = PeriodSummary::Tab;

// Days as yyyymmdd, 0 for the epoch (no date).
int day(Date date) {
    return date == Date() ? 0 : localDay(date);
}

std::vector<std::pair<int, int>> days(const std::vector<PeriodSummary::Row>& rows) {
    std::vector<std::pair<int, int>> list;
    for (const auto& row : rows) {
        list.emplace_back(day(row.from), day(row.to));
    }
    return list;
}

class PeriodSummaryTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        // Late in the evening, a week after the spring clock change.
        in_.cycle = 28;
        in_.periodLength = 5;
        in_.ovulationDay = 14;
        in_.now = localDate(2026, 4, 5, 23, 30);
    }
    void log(int m1, int d1, int m2 = 0, int d2 = 0) {
        in_.periods.push_back(
            {localDate(2026, m1, d1), m2 == 0 ? Date() : localDate(2026, m2, d2)});
    }
    PeriodSummary::Rows rows(Tab tab) const {
        return PeriodSummary::rows(tab, in_, Calendar::current());
    }
    int firstPredicted() const {
        return day(Predictions::predictedStarts(in_, Calendar::current()).front());
    }

    PeriodSummary::Inputs in_;
};

INSTANTIATE_TEST_SUITE_P(Zones, PeriodSummaryTest, ::testing::ValuesIn(dayRuleZones), zoneTestName);

} // namespace

TEST_P(PeriodSummaryTest, PredictionsStartFromTheLatestStartOrToday) {
    struct Case {
        int month, day; // latest start; 0: none
        int expected;
    };
    const Case cases[] = {
        {0, 0, 20260405},  // nothing logged: from today
        {4, 5, 20260503},  // started today: one cycle on
        {3, 26, 20260423}, // 10 days ago: 18 days from now
        {3, 6, 20260403},  // 30 days ago: overdue, 2 days ago
        {2, 8, 20260405},  // 56 days ago: today's projected start
        {4, 8, 20260506},  // in the future: one cycle after it
    };
    for (const auto& c : cases) {
        in_.periods.clear();
        if (c.month != 0) {
            log(c.month, c.day);
        }
        EXPECT_EQ(firstPredicted(), c.expected) << c.month << "-" << c.day;
    }
    auto starts = Predictions::predictedStarts(in_, Calendar::current());
    ASSERT_EQ(starts.size(), 12u);
    EXPECT_EQ(day(starts[11]), 20270310) << "eleven cycles after the first";
}

TEST_P(PeriodSummaryTest, PeriodTabListsLengthsCyclesAndAverage) {
    EXPECT_EQ(PeriodSummary::averagePeriodLength(in_, Calendar::current()), 5)
        << "nothing logged: the setting";
    log(2, 1, 2, 4);  // 4 days
    log(3, 2, 3, 6);  // 5 days; 29-day cycle before it
    log(3, 30, 4, 2); // 4 days across the clock change; 28-day cycle before it
    EXPECT_EQ(PeriodSummary::averagePeriodLength(in_, Calendar::current()), 4) << "13 / 3";
    log(4, 5); // open
    in_.periods.erase(in_.periods.begin());
    EXPECT_EQ(PeriodSummary::averagePeriodLength(in_, Calendar::current()), 5)
        << "4.5 rounds up; the open period does not count";

    auto r = rows(Tab::period);
    EXPECT_EQ(days(r.past), (std::vector<std::pair<int, int>>{
                                {20260302, 20260306}, {20260330, 20260402}, {20260405, 0}}));
    ASSERT_EQ(r.past.size(), 3u);
    EXPECT_EQ(r.past[0].cycleLength, 28);
    EXPECT_EQ(r.past[1].cycleLength, 6);
    EXPECT_EQ(r.past[2].cycleLength, std::nullopt) << "still running";
    ASSERT_EQ(r.predicted.size(), 12u);
    EXPECT_EQ(days({r.predicted[0]}), (std::vector<std::pair<int, int>>{{20260503, 20260507}}));
    EXPECT_EQ(r.predicted[0].cycleLength, 28);
    EXPECT_EQ(r.predicted[11].cycleLength, std::nullopt);
    EXPECT_EQ(day(*PeriodSummary::currentStart(in_)), 20260405);
}

TEST_P(PeriodSummaryTest, FertileWindowsRegularAndIrregular) {
    log(2, 1, 2, 5);
    log(3, 1);
    auto regular = rows(Tab::fertile);
    EXPECT_EQ(days(regular.past), (std::vector<std::pair<int, int>>{{20260206, 20260216}, {0, 0}}))
        << "the 11 days after a period; none for the open one";
    EXPECT_EQ(days({regular.predicted[0]}),
              (std::vector<std::pair<int, int>>{{20260403, 20260413}}))
        << "after the predicted period of the cycle that holds today";

    EXPECT_EQ(PeriodSummary::fertileWindowLength(in_, Calendar::current()), 11);

    // Cycles of 27 and 35 days with a 33-day setting: the calendar method.
    in_.cycle = 33;
    in_.periods.clear();
    log(1, 2, 1, 6);
    log(1, 29, 2, 2);
    log(3, 5, 3, 9);
    ASSERT_FALSE(Predictions::isRegular(in_.cycle));
    auto irregular = rows(Tab::fertile);
    EXPECT_EQ(days(irregular.past),
              (std::vector<std::pair<int, int>>{
                  {20260110, 20260126}, {20260206, 20260222}, {20260313, 20260329}}));
    EXPECT_EQ(PeriodSummary::fertileWindowLength(in_, Calendar::current()), 17);
    // Predicted from 7 April: the same window as the logged ones.
    EXPECT_EQ(days({irregular.predicted[0]}),
              (std::vector<std::pair<int, int>>{{20260415, 20260501}}));
}

TEST_P(PeriodSummaryTest, OvulationDaysAndTheNextOne) {
    EXPECT_EQ(day(PeriodSummary::nextOvulation(in_, Calendar::current())), 20260419)
        << "nothing logged: from today";
    log(3, 22, 3, 26);
    auto r = rows(Tab::ovulation);
    EXPECT_EQ(days(r.past), (std::vector<std::pair<int, int>>{{20260405, 0}}));
    EXPECT_EQ(day(PeriodSummary::nextOvulation(in_, Calendar::current())), 20260405)
        << "today's ovulation is the next one, late in the day too";
    in_.now = localDate(2026, 4, 6, 0, 30);
    EXPECT_EQ(day(PeriodSummary::nextOvulation(in_, Calendar::current())), 20260503);
    EXPECT_EQ(PeriodSummary::currentStart(in_), std::nullopt);
}

TEST_P(PeriodSummaryTest, ReadsTheMostRecentPeriodsWithTheirEnds) {
    clock_->set(in_.now);
    for (int month = 1; month <= 12; ++month) {
        ASSERT_TRUE(
            DatabaseController::saveLog(localDate(2025, month, 3), localDate(2025, month, 6)));
    }
    ASSERT_TRUE(DatabaseController::saveStartPeriod(localDate(2026, 1, 4)));
    auto read = DatabaseController::getPredictionInputs(in_.now).value();
    ASSERT_EQ(read.periods.size(), 12u);
    EXPECT_EQ(day(read.periods.front().start), 20250203);
    EXPECT_EQ(day(read.periods.back().start), 20260104);
    EXPECT_EQ(read.periods.back().end, Date());
    EXPECT_EQ(day(read.periods[10].end), 20251206);
    // A zero cycle setting must not stop the predictions.
    read.cycle = 0;
    EXPECT_EQ(Predictions::predictedStarts(read, Calendar::current()).size(), 12u);
}
