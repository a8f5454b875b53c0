// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/ReminderPlanner.h"

#include "cycle/CycleInputs.h"
#include "foundation/Calendar.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// The local date and wall-clock time of an instant, as yyyymmddhhmm.
long long localTime(Date date) {
    auto p = Calendar::current().components(date);
    return (p.year * 10000LL + p.month * 100 + p.day) * 10000 + p.hour * 100 + p.minute;
}

class ReminderPlannerTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        clock_->set(localDate(2026, 3, 10, 12));
    }

    // Cycle 28, period 5, a period started on 1 March.
    ReminderPlanner::Inputs inputs(int kind, int days, int otherDays) const {
        ReminderPlanner::Inputs in;
        in.kind = kind;
        in.days = days;
        in.otherDays = otherDays;
        in.latestStart = static_cast<long long>(localDate(2026, 3, 1).timeIntervalSince1970());
        in.cycleLength = 28;
        in.periodLength = 5;
        in.now = clock_->now();
        return in;
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, ReminderPlannerTest, ::testing::ValuesIn(dayRuleZones),
                         zoneTestName);

TEST_P(ReminderPlannerTest, FiresAtOneInTheAfternoonDaysBeforeThePredictedStart) {
    auto plan = ReminderPlanner::plan(inputs(ReminderPlanner::periodKind, 2, 3));
    ASSERT_TRUE(plan);
    // Two days before 29 March; the fertile reminder three days before 3 April.
    EXPECT_EQ(localTime(plan->period.fireDate), 202603271300);
    EXPECT_EQ(localTime(plan->fertile.fireDate), 202603311300);
    using Counted = LocalizedText::CountedKey;
    EXPECT_EQ(plan->period.body, LocalizedText("%@ %d %@!", {"Your period will start in Key", 2,
                                                             Counted{"days Key", 2}}));
    EXPECT_EQ(plan->fertile.body,
              LocalizedText("%@ %d %@!",
                            {"Your fertile window will start in Key", 3, Counted{"days Key", 3}}));
    EXPECT_EQ(plan->period.actionKey, "Period details Key");
    EXPECT_EQ(plan->fertile.actionKey, "Fertile details Key");
    EXPECT_EQ(plan->period.timeZone, GetParam());
}

TEST_P(ReminderPlannerTest, ChangingEitherKindGivesTheSameTwoInstants) {
    auto byPeriod = ReminderPlanner::plan(inputs(ReminderPlanner::periodKind, 2, 3));
    auto byFertile = ReminderPlanner::plan(inputs(ReminderPlanner::fertileKind, 3, 2));
    ASSERT_TRUE(byPeriod && byFertile);
    EXPECT_EQ(byPeriod->period.fireDate, byFertile->period.fireDate);
    EXPECT_EQ(byPeriod->fertile.fireDate, byFertile->fertile.fireDate);
    EXPECT_EQ(byPeriod->period.body, byFertile->period.body);
}

TEST_P(ReminderPlannerTest, APassedReminderMovesOneCycleLater) {
    // After the reminder time on 27 March; the next lies across the spring
    // clock change and still fires at 13:00 local time.
    clock_->set(localDate(2026, 3, 27, 13, 0, 1));
    auto plan = ReminderPlanner::plan(inputs(ReminderPlanner::periodKind, 2, 3));
    ASSERT_TRUE(plan);
    EXPECT_EQ(localTime(plan->period.fireDate), 202604241300);
    EXPECT_EQ(localTime(plan->fertile.fireDate), 202604281300);

    auto fertile = ReminderPlanner::plan(inputs(ReminderPlanner::fertileKind, 3, 2));
    EXPECT_EQ(localTime(fertile->fertile.fireDate), 202604281300);
    EXPECT_EQ(localTime(fertile->period.fireDate), 202604241300);
}

TEST_P(ReminderPlannerTest, AReminderSwitchedOffWaitsTenYears) {
    auto plan = ReminderPlanner::plan(inputs(ReminderPlanner::periodKind, 0, 3));
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->period.fireDate, clock_->now().addingSeconds(315360000));
    EXPECT_EQ(localTime(plan->fertile.fireDate), 202603311300);
    auto bothOff = ReminderPlanner::plan(inputs(ReminderPlanner::fertileKind, 0, 0));
    EXPECT_EQ(bothOff->fertile.fireDate, clock_->now().addingSeconds(315360000));
    EXPECT_EQ(bothOff->period.fireDate, clock_->now().addingSeconds(315360000));
}

TEST_P(ReminderPlannerTest, WithoutAPeriodCountsFromToday) {
    auto in = inputs(ReminderPlanner::periodKind, 2, 0);
    in.latestStart = 0;
    auto plan = ReminderPlanner::plan(in);
    ASSERT_TRUE(plan);
    EXPECT_EQ(localTime(plan->period.fireDate), 202604051300);
}

TEST_P(ReminderPlannerTest, UnknownKindPlansNothing) {
    EXPECT_FALSE(ReminderPlanner::plan(inputs(2, 2, 3)));
    EXPECT_FALSE(ReminderPlanner::plan(inputs(-1, 2, 3)));
}

TEST_P(ReminderPlannerTest, ReadsTheStoredSettings) {
    ASSERT_TRUE(DC::saveCycleLength(28));
    ASSERT_TRUE(DC::savePeriodLength(5));
    ASSERT_TRUE(DC::saveNotification(0, 2));
    ASSERT_TRUE(DC::saveNotification(1, 3));
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
    auto plan = ReminderPlanner::plan(
        CycleInputs::reminder(ReminderPlanner::periodKind, 2, clock_->now()).value());
    ASSERT_TRUE(plan);
    EXPECT_EQ(localTime(plan->period.fireDate), 202603271300);
    EXPECT_EQ(localTime(plan->fertile.fireDate), 202603311300);
}

// The stated example: a zone of UTC+1, start at local midnight of 1 March.
TEST(ReminderPlannerExample, OneHourEastOfUtc) {
    TimeZone::setCurrent("Etc/GMT-1");
    ReminderPlanner::Inputs in;
    in.kind = ReminderPlanner::periodKind;
    in.days = 2;
    in.latestStart = static_cast<long long>(utcSeconds(2026, 2, 28, 23));
    in.cycleLength = 28;
    in.periodLength = 5;
    in.now = Date(utcSeconds(2026, 3, 10));
    auto plan = ReminderPlanner::plan(in);
    TimeZone::setCurrent(std::nullopt);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->period.fireDate.timeIntervalSince1970(), utcSeconds(2026, 3, 27, 12));
}

} // namespace
