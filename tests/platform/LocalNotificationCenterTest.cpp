// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalNotificationCenter.h"

#include "RecordingPresenter.h"
#include "foundation/RunLoop.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <thread>

using namespace florelle;
using namespace florelle::testing;

namespace {

class LocalNotificationCenterTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        presenter_ = std::make_shared<RecordingPresenter>();
    }

    LocalNotification reminder(Date fireDate, std::string body) const {
        LocalNotification result;
        result.fireDate = fireDate;
        result.timeZone = "UTC";
        result.alertBody = std::move(body);
        result.alertAction = "Period details";
        return result;
    }

    Date inHours(double hours) const { return clock_->now().addingSeconds(hours * 3600); }

    // Moves the clock and lets the run loop serve timers and the store watch.
    void advance(double seconds) {
        clock_->advance(seconds);
        RunLoop::current().runOnce();
    }

    std::vector<std::string> presentedBodies() const {
        std::vector<std::string> bodies;
        for (const auto& note : presenter_->presented) {
            bodies.push_back(note.alertBody);
        }
        return bodies;
    }

    std::shared_ptr<RecordingPresenter> presenter_;
};

TEST_F(LocalNotificationCenterTest, SchedulesAndCancelsThroughTheStore) {
    LocalNotificationCenter center(LocalNotificationStore::standard());
    center.scheduleLocalNotification(reminder(inHours(48), "later"));
    center.scheduleLocalNotification(reminder(inHours(2), "sooner"));

    // Another process sees the same, soonest first.
    LocalNotificationCenter other(LocalNotificationStore::standard());
    auto pending = other.scheduledLocalNotifications();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].alertBody, "sooner");
    EXPECT_EQ(pending[1].alertBody, "later");
    EXPECT_EQ(other.nextDueDate(), inHours(2));

    other.cancelAllLocalNotifications();
    EXPECT_TRUE(center.scheduledLocalNotifications().empty());
    EXPECT_EQ(center.nextDueDate(), std::nullopt);
}

TEST_F(LocalNotificationCenterTest, ReplacingAtOnceInTwoProcessesLeavesOneSet) {
    auto replace = [this](std::string name) {
        LocalNotificationCenter center(LocalNotificationStore::standard());
        for (int round = 0; round < 30; ++round) {
            center.setScheduledLocalNotifications(
                {reminder(inHours(2), name + " period"), reminder(inHours(3), name + " fertile")});
        }
    };
    std::thread window(replace, "window");
    std::thread tool(replace, "tool");
    window.join();
    tool.join();
    auto pending =
        LocalNotificationCenter(LocalNotificationStore::standard()).scheduledLocalNotifications();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].alertBody.substr(0, 4), pending[1].alertBody.substr(0, 4));
}

TEST_F(LocalNotificationCenterTest, ANotificationWhoseTimeHasPassedIsDropped) {
    LocalNotificationCenter center(LocalNotificationStore::standard(), presenter_);
    center.startDelivering();
    center.scheduleLocalNotification(reminder(inHours(-1), "stale"));
    center.scheduleLocalNotification(reminder(clock_->now(), "now"));
    RunLoop::current().runOnce();
    EXPECT_EQ(center.scheduledLocalNotifications().size(), 0u);
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"now"});
    EXPECT_TRUE(log_->contains("dropped a notification whose time had passed"));
}

TEST_F(LocalNotificationCenterTest, ADueNotificationIsShownOnceWhileRunning) {
    LocalNotificationCenter center(LocalNotificationStore::standard(), presenter_);
    center.startDelivering();
    center.scheduleLocalNotification(reminder(inHours(3), "first"));
    center.scheduleLocalNotification(reminder(inHours(5), "second"));

    advance(3 * 3600 - 1);
    EXPECT_TRUE(presenter_->presented.empty());
    advance(1);
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"first"});
    EXPECT_EQ(presenter_->presented[0], reminder(inHours(0), "first"));
    advance(60);
    RunLoop::current().runOnce();
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"first"});
    advance(2 * 3600);
    EXPECT_EQ(presentedBodies(), (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(center.scheduledLocalNotifications().empty());
    EXPECT_EQ(center.deliverDueNotifications(), 0);
    EXPECT_EQ(presenter_->presented.size(), 2u);
}

TEST_F(LocalNotificationCenterTest,
       ANotificationThatFellDueWhileNothingRanIsShownOnceAtTheNextStart) {
    {
        LocalNotificationCenter window(LocalNotificationStore::standard());
        window.scheduleLocalNotification(reminder(inHours(1), "missed"));
        window.scheduleLocalNotification(reminder(inHours(30), "ahead"));
    }
    clock_->advance(5 * 3600);

    // The first process to start catches up; the second finds it shown.
    LocalNotificationCenter first(LocalNotificationStore::standard(), presenter_);
    first.startDelivering();
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"missed"});

    auto secondPresenter = std::make_shared<RecordingPresenter>();
    LocalNotificationCenter second(LocalNotificationStore::standard(), secondPresenter);
    second.startDelivering();
    EXPECT_TRUE(secondPresenter->presented.empty());
    EXPECT_EQ(second.scheduledLocalNotifications().size(), 1u);

    // Both deliver; the one still pending is shown by exactly one of them.
    advance(25 * 3600);
    EXPECT_EQ(presenter_->presented.size() + secondPresenter->presented.size(), 2u);
}

TEST_F(LocalNotificationCenterTest, FollowsNotificationsScheduledByAnotherProcess) {
    LocalNotificationCenter helper(LocalNotificationStore::standard(), presenter_);
    helper.startDelivering();
    // Nothing pending: without the store watch it would look again only
    // after the recheck interval.
    LocalNotificationCenter window(LocalNotificationStore::standard());
    window.scheduleLocalNotification(reminder(inHours(0.1), "from the window"));
    RunLoop::current().runOnce();

    advance(360);
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"from the window"});
}

TEST_F(LocalNotificationCenterTest, AClockSetBackDoesNotShowANotificationEarly) {
    LocalNotificationCenter center(LocalNotificationStore::standard(), presenter_);
    center.startDelivering();
    center.scheduleLocalNotification(reminder(inHours(2), "on time"));
    RunLoop::current().runOnce();
    clock_->advance(-3600);
    RunLoop::current().runOnce();
    advance(2 * 3600);
    EXPECT_TRUE(presenter_->presented.empty());
    advance(3600);
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"on time"});
}

TEST_F(LocalNotificationCenterTest, ADesktopNotReadyYetGetsTheNotificationOnALaterTry) {
    presenter_->reachable = false;
    LocalNotificationCenter center(LocalNotificationStore::standard(), presenter_);
    center.startDelivering();
    center.scheduleLocalNotification(reminder(inHours(1), "at login"));
    advance(3600);
    EXPECT_EQ(presenter_->presented.size(), 1u);
    EXPECT_TRUE(log_->contains("could not be shown; it is tried again"));
    EXPECT_EQ(center.scheduledLocalNotifications().size(), 1u);

    advance(LocalNotificationCenter::retryInterval - 1);
    EXPECT_EQ(presenter_->presented.size(), 1u);
    advance(1);
    EXPECT_EQ(presenter_->presented.size(), 2u);

    presenter_->reachable = true;
    advance(LocalNotificationCenter::retryInterval);
    EXPECT_EQ(presenter_->presented.size(), 3u);
    EXPECT_TRUE(center.scheduledLocalNotifications().empty());
    advance(LocalNotificationCenter::recheckInterval);
    EXPECT_EQ(presenter_->presented.size(), 3u);
}

TEST_F(LocalNotificationCenterTest, TheBadgeNumberIsStoredShownAndHeard) {
    std::vector<int> heard;
    LocalNotificationCenter center(LocalNotificationStore::standard(), presenter_);
    center.onBadgeNumberChanged = [&](int number) { heard.push_back(number); };
    center.startDelivering();
    center.setApplicationIconBadgeNumber(2);
    center.setApplicationIconBadgeNumber(2);
    EXPECT_EQ(center.applicationIconBadgeNumber(), 2);

    LocalNotificationCenter other(LocalNotificationStore::standard());
    EXPECT_EQ(other.applicationIconBadgeNumber(), 2);
    other.setApplicationIconBadgeNumber(0);
    RunLoop::current().runOnce();

    EXPECT_EQ(heard, (std::vector<int>{0, 2, 0}));
    EXPECT_EQ(presenter_->badges, (std::vector<int>{0, 2, 0}));
}

TEST_F(LocalNotificationCenterTest, AWallClockTimeFollowsTheDeviceToAnotherZone) {
    setTimeZone("Europe/Berlin");
    LocalNotification lunch = reminder(localDate(2026, 3, 27, 13), "at one");
    lunch.timeZone = "Europe/Berlin";
    setTimeZone("America/New_York");
    EXPECT_EQ(lunch.dueDate(TimeZone::current()), localDate(2026, 3, 27, 13));
    EXPECT_EQ(lunch.dueDate(TimeZone("Europe/Berlin")), lunch.fireDate);

    LocalNotification fixed = lunch;
    fixed.timeZone.clear();
    EXPECT_EQ(fixed.dueDate(TimeZone::current()), fixed.fireDate);
}

TEST_F(LocalNotificationCenterTest, AfterATripTheReminderComesAtTheSameLocalHour) {
    setTimeZone("Europe/Berlin");
    clock_->set(localDate(2026, 3, 27, 9));
    LocalNotification lunch = reminder(localDate(2026, 3, 27, 13), "at one");
    lunch.timeZone = "Europe/Berlin";
    LocalNotificationCenter center(LocalNotificationStore::standard(), presenter_);
    center.startDelivering();
    center.scheduleLocalNotification(lunch);

    setTimeZone("America/New_York");
    center.refresh();
    // 13:00 in Berlin passes unnoticed; 13:00 in New York, five hours later, shows it.
    advance(4 * 3600);
    EXPECT_TRUE(presenter_->presented.empty());
    clock_->set(localDate(2026, 3, 27, 13));
    RunLoop::current().runOnce();
    EXPECT_EQ(presentedBodies(), std::vector<std::string>{"at one"});
}

} // namespace
