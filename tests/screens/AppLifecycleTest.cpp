// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/SignificantTimeChangeWatcher.h"
#include "foundation/Strings.h"
#include "screens/CustomApplication.h"
#include "screens/PasscodeLock.h"
#include "storage/DatabaseController.h"
#include "storage/Fixtures.h"
#include "storage/VersionUpdater.h"
#include "support/LocalDays.h"
#include "ui/Label.h"
#include "ui/Window.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace florelle::testing {
namespace {

using DC = DatabaseController;

std::vector<LocalNotification> pending() {
    return LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduledLocalNotifications();
}

// Notes what the diary looks like when the migration hands over.
class WatchedDelegate : public FlorelleAppDelegate {
public:
    using FlorelleAppDelegate::FlorelleAppDelegate;

    void updateFinshed() override {
        versionAtHandOver = DC::getCurrentAppVersion();
        mainScreenBefore = mainViewController() != nullptr;
        pendingAtHandOver = pending();
        FlorelleAppDelegate::updateFinshed();
    }

    StoreResult<int> versionAtHandOver = 0;
    bool mainScreenBefore = true;
    std::vector<LocalNotification> pendingAtHandOver;
};

class AppLifecycleTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 20), localDate(2026, 2, 24)));
    }

    void launchWatched(const LaunchOptions& options = {}) {
        Date now = localDate(2026, 3, 1, 12);
        clock_->set(now);
        presenter_ = std::make_shared<RecordingPresenter>();
        watched_ = std::make_shared<WatchedDelegate>(presenter_);
        delegate_ = watched_;
        host_ = std::make_unique<HeadlessHost>(delegate_, now, 2,
                                               std::make_unique<CustomApplication>());
        host_->launch(options);
    }

    // A note left pending by someone else, far ahead.
    static LocalNotification stranger() {
        LocalNotification note;
        note.fireDate = localDate(2027, 1, 1, 9);
        note.alertBody = "Not a reminder";
        note.alertAction = "Look";
        return note;
    }

    static LaunchOptions launchedFrom(const std::string& action) {
        LocalNotification note;
        note.alertAction = action;
        return {.localNotification = note};
    }

    void reactivate() {
        host().application().deactivate();
        host().application().activate();
        host().advance(0.1);
    }

    std::shared_ptr<WatchedDelegate> watched_;
};

TEST_F(AppLifecycleTest, TheMigrationEndsBeforeTheMainScreenExists) {
    ASSERT_TRUE(DC::saveCurrentAppVersion(100));
    launchWatched();
    EXPECT_EQ(watched_->versionAtHandOver, VersionUpdater::currentVersion);
    EXPECT_FALSE(watched_->mainScreenBefore);
    ASSERT_NE(delegate_->mainViewController(), nullptr);
    EXPECT_EQ(delegate_->mainViewController()->view()->superview(),
              static_cast<View*>(delegate_->window().get()));
}

TEST_F(AppLifecycleTest, ADiaryOfVersion100IsUpgradedBeforeTheFirstScreen) {
    TearDown();
    DiaryTest::SetUp();
    std::filesystem::create_directories(databaseFile().parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(databaseFile().c_str(), &db), SQLITE_OK);
    int code = sqlite3_exec(db, fixtureText(100).c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(code, SQLITE_OK);

    launchWatched();
    EXPECT_EQ(watched_->versionAtHandOver, VersionUpdater::currentVersion);
    EXPECT_EQ(DC::getCurrentAppVersion(), VersionUpdater::currentVersion);
    EXPECT_NE(delegate_->mainViewController(), nullptr);
}

// The machine's zone changes while the window runs: the days stay on their
// dates, and the pages are told once.
TEST_F(AppLifecycleTest, AZoneChangeWhileRunningKeepsTheDaysOnTheirDates) {
    launch(localDate(2026, 3, 1, 12));
    std::string status = main().infoLbl().text();
    int told = diaryChanges();
    setTimeZone("America/Los_Angeles");
    host().advance(SignificantTimeChangeWatcher::checkInterval + 1);
    EXPECT_EQ(diaryChanges(), told + 1);
    EXPECT_EQ(localDay(Date(double(DC::getLatestStartDay().value()))), 20260220);
    reactivate();
    EXPECT_EQ(main().infoLbl().text(), status);
}

TEST_F(AppLifecycleTest, ActivationRefreshesStatusAndReminders) {
    launch(localDate(2026, 3, 1, 12));
    std::string before = main().infoLbl().text();
    LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduleLocalNotification(stranger());
    // The period of 20 February puts ovulation on 6 March.
    host().clock().set(localDate(2026, 3, 6, 12));
    reactivate();
    EXPECT_NE(main().infoLbl().text(), before);
    EXPECT_EQ(main().infoLbl().text(), Strings::localized("It's your ovulation day Key"));
    EXPECT_EQ(pending().size(), 2u);
    EXPECT_FALSE(delegate_->passcodeLock()->isLocked()) << "no passcode stored";
}

TEST_F(AppLifecycleTest, AStoredPasscodeLocksAtEveryActivation) {
    launch(localDate(2026, 3, 1, 12));
    EXPECT_FALSE(delegate_->passcodeLock()->isLocked());
    ASSERT_TRUE(DC::saveLocalPasscode(1234));
    host().application().enterBackground();
    host().application().activate();
    host().advance(0.1);
    EXPECT_TRUE(delegate_->passcodeLock()->isLocked());
}

TEST_F(AppLifecycleTest, ALaunchFromAReminderReplansThemDuringStartUp) {
    for (const char* key : {"Period details Key", "Fertile details Key"}) {
        SCOPED_TRACE(key);
        TearDown();
        SetUp();
        LocalNotificationCenter(LocalNotificationStore::standard())
            .scheduleLocalNotification(stranger());
        launchWatched(launchedFrom(Strings::localized(key)));
        EXPECT_EQ(watched_->pendingAtHandOver.size(), 2u);
        EXPECT_EQ(std::count(watched_->pendingAtHandOver.begin(), watched_->pendingAtHandOver.end(),
                             stranger()),
                  0);
    }
}

TEST_F(AppLifecycleTest, ALaunchFromAnotherNotificationLeavesThemUntilActivation) {
    LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduleLocalNotification(stranger());
    launchWatched(launchedFrom("Look"));
    EXPECT_EQ(watched_->pendingAtHandOver, std::vector<LocalNotification>{stranger()});
    EXPECT_EQ(pending().size(), 2u) << "the activation after start-up replans them";
}

TEST_F(AppLifecycleTest, OnlyTapsInsideTheStatusBarStripLowerThePanel) {
    // Without the bar (the shell draws its own) the strip is the top of what
    // is shown, the window's 20 points below it.
    const std::vector<std::tuple<bool, double, bool>> cases = {
        {false, 0, false}, {false, 1, true}, {false, 19.5, true}, {false, 20, false},
        {true, 20, false}, {true, 21, true}, {true, 39.5, true}};
    launch(localDate(2026, 3, 1, 12));
    for (auto [hidden, y, lowers] : cases) {
        SCOPED_TRACE(std::to_string(hidden) + " " + std::to_string(y));
        host().application().setStatusBarHidden(hidden);
        host().tap(inWindow({160, 450}));
        host().advance(1);
        ASSERT_TRUE(main().isUp());
        host().tap({160, y});
        host().advance(1);
        EXPECT_EQ(main().isUp(), !lowers);
        if (main().isUp()) {
            main().statusBarTouch();
            host().advance(1);
        }
    }
}

TEST_F(AppLifecycleTest, TheLockKeepsStatusBarTapsFromTheScreen) {
    launch(localDate(2026, 3, 1, 12));
    host().tap(inWindow({160, 450}));
    host().advance(1);
    ASSERT_TRUE(main().isUp());
    ASSERT_TRUE(DC::saveLocalPasscode(1234));
    reactivate();
    ASSERT_TRUE(delegate_->passcodeLock()->isLocked());
    host().tap({160, 10});
    host().advance(1);
    EXPECT_TRUE(main().isUp());
}

TEST_F(AppLifecycleTest, TheSettingsPageReschedulesTheReminders) {
    launch(localDate(2026, 3, 1, 12));
    LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduleLocalNotification(stranger());
    main().setNotification(0, 3);
    EXPECT_EQ(DC::getPeriodNotification(), 3);
    EXPECT_EQ(pending().size(), 2u);
}

TEST_F(AppLifecycleTest, StartUpActivationAndPetalsAreLoggedAsEvents) {
    launch(localDate(2026, 3, 1, 12));
    openPetal(MainPageKind::summary);
    auto lines = log_->lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Event: petal opened"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Event: start-up"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Event: activation"), lines.end());
}

} // namespace
} // namespace florelle::testing
