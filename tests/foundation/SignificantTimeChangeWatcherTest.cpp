// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/SignificantTimeChangeWatcher.h"

#include "foundation/RunLoop.h"
#include "foundation/TimeZone.h"
#include "support/TestEnvironment.h"

namespace florelle {
namespace {

class SignificantTimeChangeWatcherTest : public testing::DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        observation_ = center_.addObserver(NotificationCenter::significantTimeChangeNotification,
                                           [this](const Notification&) { ++notices_; });
    }

    // Lets one check of the watcher happen.
    void nextCheck() {
        clock_->advance(SignificantTimeChangeWatcher::checkInterval);
        RunLoop::current().runOnce();
    }

    NotificationCenter center_;
    NotificationCenter::Observation observation_;
    int notices_ = 0;
};

TEST_F(SignificantTimeChangeWatcherTest, OrdinaryChecksPostNothing) {
    SignificantTimeChangeWatcher watcher(center_);
    for (int check = 0; check < 20; ++check) {
        nextCheck();
    }
    EXPECT_EQ(notices_, 0);
}

TEST_F(SignificantTimeChangeWatcherTest, PostsOnceWhenLocalMidnightPasses) {
    setTimeZone("Europe/Zagreb");
    // 22:59:55 UTC is 23:59:55 in Zagreb in March (UTC+1).
    clock_->set(Date(testing::utcSeconds(2026, 3, 10, 22, 59, 55)));
    SignificantTimeChangeWatcher watcher(center_);
    nextCheck();
    EXPECT_EQ(notices_, 1);
    nextCheck();
    EXPECT_EQ(notices_, 1);
}

TEST_F(SignificantTimeChangeWatcherTest, UtcMidnightIsNotLocalMidnightElsewhere) {
    setTimeZone("America/New_York");
    clock_->set(Date(testing::utcSeconds(2026, 3, 10, 23, 59, 55)));
    SignificantTimeChangeWatcher watcher(center_);
    nextCheck();
    EXPECT_EQ(notices_, 0);
}

TEST_F(SignificantTimeChangeWatcherTest, PostsWhenTheTimeZoneChanges) {
    SignificantTimeChangeWatcher watcher(center_);
    setTimeZone("Asia/Tokyo");
    nextCheck();
    EXPECT_EQ(notices_, 1);
}

TEST_F(SignificantTimeChangeWatcherTest, PostsWhenTheClockJumps) {
    SignificantTimeChangeWatcher watcher(center_);
    clock_->advance(-3600);
    RunLoop::current().runOnce();
    nextCheck();
    EXPECT_EQ(notices_, 1);
    clock_->advance(2 * 3600);
    watcher.check();
    EXPECT_EQ(notices_, 2);
}

TEST_F(SignificantTimeChangeWatcherTest, PostsWhenDaylightSavingTimeStarts) {
    setTimeZone("Europe/Zagreb");
    // Clocks go forward at 01:00 UTC on 29 March 2026.
    clock_->set(Date(testing::utcSeconds(2026, 3, 29, 0, 59, 55)));
    SignificantTimeChangeWatcher watcher(center_);
    nextCheck();
    EXPECT_EQ(notices_, 1);
}

} // namespace
} // namespace florelle
