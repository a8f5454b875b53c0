// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/PeriodEntry.h"

#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;
using Mode = PeriodEntry::Mode;
using Refusal = PeriodEntry::Refusal;

class PeriodEntryTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        // Late evening, so that "today" differs from the UTC day in some zones.
        clock_->set(localDate(2026, 3, 29, 23, 30));
    }
    // The refusal, if any; a failed write fails the test.
    std::optional<Refusal> save(Mode mode, int month, int day) {
        auto outcome = PeriodEntry::save(mode, localDate(2026, month, day, 15), Calendar::current(),
                                         clock_->now());
        EXPECT_FALSE(outcome.error) << outcome.error->message();
        return outcome.refusal;
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, PeriodEntryTest, ::testing::ValuesIn(dayRuleZones), zoneTestName);

} // namespace

TEST_P(PeriodEntryTest, AFirstStartMayBeAnyDayUpToToday) {
    EXPECT_EQ(PeriodEntry::currentMode(), Mode::start);
    auto limits = PeriodEntry::limits(Mode::start, Calendar::current(), clock_->now()).value();
    EXPECT_FALSE(limits.earliest);
    EXPECT_EQ(localDay(limits.latest), 20260329);

    EXPECT_EQ(save(Mode::start, 3, 30), Refusal::afterToday);
    EXPECT_EQ(DC::getLatestStartDay(), 0);
    EXPECT_EQ(save(Mode::start, 3, 29), std::nullopt);
    EXPECT_EQ(DC::getLatestStartDay(), localDate(2026, 3, 29).timeIntervalSince1970())
        << "stored as the day's local midnight";
    EXPECT_EQ(DC::getLatestEndDay(), 0);
    EXPECT_EQ(PeriodEntry::currentMode(), Mode::end);
}

TEST_P(PeriodEntryTest, AnEndLiesBetweenTheStartDayAndToday) {
    ASSERT_EQ(save(Mode::start, 3, 25), std::nullopt);
    EXPECT_EQ(save(Mode::end, 3, 24), Refusal::beforeEarliest);
    EXPECT_EQ(save(Mode::end, 3, 30), Refusal::afterToday);
    EXPECT_EQ(DC::getLatestEndDay(), 0);
    EXPECT_EQ(PeriodEntry::currentMode(), Mode::end);

    EXPECT_EQ(save(Mode::end, 3, 25), std::nullopt) << "the start day itself may end it";
    EXPECT_EQ(DC::getLatestEndDay(), localDate(2026, 3, 25).timeIntervalSince1970());
    EXPECT_EQ(PeriodEntry::currentMode(), Mode::start);
}

TEST_P(PeriodEntryTest, ANewStartComesAfterTheLastEndsDay) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 26), localDate(2026, 3, 2)));
    auto limits = PeriodEntry::limits(Mode::start, Calendar::current(), clock_->now()).value();
    ASSERT_TRUE(limits.earliest);
    EXPECT_EQ(localDay(*limits.earliest), 20260303);
    EXPECT_EQ(save(Mode::start, 3, 2), Refusal::beforeEarliest);
    EXPECT_EQ(save(Mode::start, 3, 3), std::nullopt);
    EXPECT_EQ(DC::getStartDates()->size(), 2u);
}

// The periods decide the mode, not the stored flag; a pick of the other mode
// (another program's entry came first) is refused and stores nothing.
TEST_P(PeriodEntryTest, APickOfTheWrongModeIsRefused) {
    ASSERT_TRUE(DC::saveIsStartDate(0)); // a flag torn from the rows
    EXPECT_EQ(PeriodEntry::currentMode(), Mode::start);
    EXPECT_EQ(save(Mode::end, 3, 25), Refusal::noPeriodOpen);
    EXPECT_EQ(DC::getLatestStartDay(), 0);

    ASSERT_EQ(save(Mode::start, 3, 25), std::nullopt);
    EXPECT_EQ(DC::getIsStartDate(), false) << "the flag follows the saved start";
    EXPECT_EQ(save(Mode::start, 3, 27), Refusal::periodOpen);
    EXPECT_EQ(DC::getLatestStartDay(), localDate(2026, 3, 25).timeIntervalSince1970());
}
