// SPDX-License-Identifier: GPL-3.0-or-later
#include "reminders/ReminderScheduler.h"

#include "RecordingPresenter.h"
#include "cycle/ReminderPlanner.h"
#include "foundation/Calendar.h"
#include "foundation/RunLoop.h"
#include "foundation/Strings.h"
#include "reminders/ReminderHelper.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <fstream>
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

class ReminderSchedulerTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        Strings::setLanguage("en");
        // One hour east of UTC, no daylight saving.
        setTimeZone("Etc/GMT-1");
        clock_->set(localDate(2026, 3, 10, 12));
        ASSERT_TRUE(DC::saveCycleLength(28));
        ASSERT_TRUE(DC::savePeriodLength(5));
        ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
        // Made once the documents folder is the test's.
        center_ = std::make_unique<LocalNotificationCenter>(LocalNotificationStore::standard());
        scheduler_ = std::make_unique<ReminderScheduler>(*center_);
    }
    void TearDown() override {
        Strings::setLanguage(std::nullopt);
        DiaryTest::TearDown();
    }

    std::vector<LocalNotification> pending() const {
        return LocalNotificationCenter(LocalNotificationStore::standard())
            .scheduledLocalNotifications();
    }

    const LocalNotification* pendingWithAction(const std::vector<LocalNotification>& notes,
                                               const std::string& action) const {
        for (const auto& note : notes) {
            if (note.alertAction == action) {
                return &note;
            }
        }
        return nullptr;
    }

    std::unique_ptr<LocalNotificationCenter> center_;
    std::unique_ptr<ReminderScheduler> scheduler_;
};

TEST_F(ReminderSchedulerTest, TwoDaysBeforeThePredictedStartAtOneLocalTime) {
    ASSERT_TRUE(DC::saveNotification(1, 0));
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::periodKind, 2));

    auto notes = pending();
    ASSERT_EQ(notes.size(), 2u);
    const auto* period = pendingWithAction(notes, "Period details");
    ASSERT_NE(period, nullptr);
    // The period is due on 29 March; the reminder fires on the 27th at 13:00 local.
    EXPECT_EQ(localTime(period->fireDate), 202603271300);
    EXPECT_EQ(period->fireDate.timeIntervalSince1970(), utcSeconds(2026, 3, 27, 12));
    EXPECT_EQ(period->alertBody, "Your period starts in 2 days!");
    EXPECT_EQ(period->timeZone, "Etc/GMT-1");
    EXPECT_EQ(period->soundName, LocalNotification::defaultSoundName);
    EXPECT_EQ(DC::getPeriodNotification(), 2);

    // The fertile reminder is off: ten years ahead.
    const auto* fertile = pendingWithAction(notes, "Fertile details");
    ASSERT_NE(fertile, nullptr);
    EXPECT_EQ(fertile->fireDate, clock_->now().addingSeconds(ReminderPlanner::offDelay));
}

TEST_F(ReminderSchedulerTest, EveryChangeLeavesExactlyTwoReminders) {
    struct Change {
        int kind;
        int days;
    };
    const Change changes[] = {{0, 2}, {1, 3}, {0, 4}, {1, 1}, {0, 0}, {1, 0}, {0, 3}};
    for (const auto& change : changes) {
        ASSERT_TRUE(scheduler_->setNotification(change.kind, change.days));
        auto notes = pending();
        ASSERT_EQ(notes.size(), 2u) << change.kind << " " << change.days;
        EXPECT_NE(pendingWithAction(notes, "Period details"), nullptr);
        EXPECT_NE(pendingWithAction(notes, "Fertile details"), nullptr);
    }
    EXPECT_EQ(DC::getPeriodNotification(), 3);
    EXPECT_EQ(DC::getFertileNotification(), 0);
    EXPECT_EQ(center_->applicationIconBadgeNumber(), 0);
}

TEST_F(ReminderSchedulerTest, BothKindsPlaceTheRemindersAlike) {
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::periodKind, 2));
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::fertileKind, 3));
    auto notes = pending();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(localTime(pendingWithAction(notes, "Period details")->fireDate), 202603271300);
    // Three days before 3 April, the day after the predicted period's length.
    EXPECT_EQ(localTime(pendingWithAction(notes, "Fertile details")->fireDate), 202603311300);
    EXPECT_EQ(pendingWithAction(notes, "Fertile details")->alertBody,
              "Your fertile window starts in 3 days!");
}

TEST_F(ReminderSchedulerTest, PeriodDaysZeroPutsThePeriodReminderTenYearsAhead) {
    ASSERT_TRUE(DC::saveNotification(1, 3));
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::periodKind, 0));
    auto notes = pending();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(pendingWithAction(notes, "Period details")->fireDate,
              clock_->now().addingSeconds(315360000));
    // The fertile reminder keeps its own time: 3 days before 3 April.
    EXPECT_EQ(localTime(pendingWithAction(notes, "Fertile details")->fireDate), 202603311300);
}

TEST_F(ReminderSchedulerTest, AnUnknownKindLeavesTheRemindersAndSettingsAsTheyWere) {
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::periodKind, 2));
    auto before = pending();
    ASSERT_TRUE(scheduler_->setNotification(2, 5));
    ASSERT_TRUE(scheduler_->setNotification(-1, 5));
    EXPECT_EQ(pending(), before);
    EXPECT_EQ(DC::getPeriodNotification(), 2);
    EXPECT_TRUE(log_->contains("no reminder of kind 2"));
}

TEST_F(ReminderSchedulerTest, AnUnreadableDiaryLeavesThePendingReminders) {
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::periodKind, 2));
    auto before = pending();
    // A file where the diary's folder should be: nothing can be read.
    auto folder = databaseFile().parent_path();
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "not a folder";

    auto status = scheduler_->setNotification(ReminderPlanner::periodKind, 4);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().kind, StoreError::Kind::unavailable);
    EXPECT_FALSE(scheduler_->resetNotifications());
    EXPECT_EQ(pending(), before);
}

TEST_F(ReminderSchedulerTest, AfterTheReminderTimeItMovesOneCycleOn) {
    ASSERT_TRUE(DC::saveNotification(ReminderPlanner::periodKind, 2));
    clock_->set(localDate(2026, 3, 27, 14));
    ASSERT_TRUE(scheduler_->resetNotifications());
    EXPECT_EQ(localTime(pendingWithAction(pending(), "Period details")->fireDate), 202604241300);
}

TEST_F(ReminderSchedulerTest, AReminderPlacedInThePastIsNeitherKeptNorShown) {
    // The fertile reminder lies 2 + 5 − 10 days from the period reminder:
    // three days before it, already past on 25 March.
    ASSERT_TRUE(DC::saveNotification(1, 10));
    clock_->set(localDate(2026, 3, 25, 12));
    auto presenter = std::make_shared<RecordingPresenter>();
    LocalNotificationCenter window(LocalNotificationStore::standard(), presenter);
    window.startDelivering();
    ASSERT_TRUE(ReminderScheduler(window).setNotification(ReminderPlanner::periodKind, 2));
    RunLoop::current().runOnce();

    auto notes = pending();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].alertAction, "Period details");
    EXPECT_TRUE(presenter->presented.empty());
}

TEST_F(ReminderSchedulerTest, RescheduledRemindersAreShownWhenDue) {
    auto presenter = std::make_shared<RecordingPresenter>();
    LocalNotificationCenter window(LocalNotificationStore::standard(), presenter);
    window.startDelivering();
    ASSERT_TRUE(ReminderScheduler(window).setNotification(ReminderPlanner::periodKind, 2));

    clock_->set(localDate(2026, 3, 27, 12, 59));
    RunLoop::current().runOnce();
    EXPECT_TRUE(presenter->presented.empty());
    clock_->advance(60);
    RunLoop::current().runOnce();
    ASSERT_EQ(presenter->presented.size(), 1u);
    EXPECT_EQ(presenter->presented[0].alertBody, "Your period starts in 2 days!");
    EXPECT_EQ(localTime(clock_->now()), 202603271300);
}

TEST_F(ReminderSchedulerTest, TextsAreInTheLanguageOfTheMomentTheyAreShown) {
    Strings::setLanguage(std::nullopt);
    std::optional<EnvironmentGuard> language;
    language.emplace("LANGUAGE", "en");
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::fertileKind, 3));
    ASSERT_TRUE(scheduler_->setNotification(ReminderPlanner::periodKind, 2));
    // Stored in the language of planning, for programs that show them as stored.
    EXPECT_NE(pendingWithAction(pending(), "Period details"), nullptr);
    LocalNotification older;
    older.fireDate = localDate(2026, 3, 30, 9);
    older.alertBody = "Your period starts in 2 days!";
    older.alertAction = "Period details";
    center_->scheduleLocalNotification(older);

    language.emplace("LANGUAGE", "de");
    auto presenter = std::make_shared<RecordingPresenter>();
    ReminderHelper helper(LocalNotificationStore::standard(), presenter, {});
    helper.start();
    clock_->set(localDate(2026, 4, 1, 12));
    helper.center().refresh();
    RunLoop::current().runOnce();

    std::vector<std::pair<std::string, std::string>> shown;
    for (const auto& note : presenter->presented) {
        shown.emplace_back(note.alertBody, note.alertAction);
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Bis zu deiner Periode: 2 Tage!", "Zur Periode"},
        {"Your period starts in 2 days!", "Period details"},
        {"Bis zu deinen fruchtbaren Tagen: 3 Tage!", "Zu den fruchtbaren Tagen"}};
    EXPECT_EQ(shown, expected) << "the older reminder without kind and days as it was stored";
}

TEST_F(ReminderSchedulerTest, ALaunchIsFromAReminderOnlyWithOneOfTheTwoActions) {
    struct Row {
        std::string action;
        bool reminder;
    };
    const Row rows[] = {{"Period details", true},
                        {"Fertile details", true},
                        {"Period details Key", false},
                        {"period details", false},
                        {"", false}};
    for (const auto& row : rows) {
        LocalNotification launch;
        launch.alertAction = row.action;
        EXPECT_EQ(ReminderScheduler::isReminder(launch), row.reminder) << row.action;
    }
    // The scheduled reminders themselves are recognised in every language.
    Strings::setLanguage("de");
    ASSERT_TRUE(scheduler_->resetNotifications());
    for (const auto& note : pending()) {
        EXPECT_TRUE(ReminderScheduler::isReminder(note)) << note.alertAction;
    }
    // ... and after she changed the language since they were planned.
    Strings::setLanguage("en");
    for (const auto& note : pending()) {
        EXPECT_TRUE(ReminderScheduler::isReminder(note)) << note.alertAction;
    }
}

} // namespace
