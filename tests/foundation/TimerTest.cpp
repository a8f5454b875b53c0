// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Timer.h"

#include "foundation/RunLoop.h"
#include "support/TestEnvironment.h"

#include <memory>
#include <vector>

namespace florelle {
namespace {

class TimerTest : public testing::DiaryTest {
protected:
    void advance(double seconds) {
        clock_->advance(seconds);
        RunLoop::current().runOnce();
    }
};

TEST_F(TimerTest, OneShotFiresOnceAfterItsInterval) {
    int fired = 0;
    Timer timer(0.5, false, [&] { ++fired; });
    advance(0.49);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(timer.isValid());
    advance(0.01);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer.isValid());
    advance(10);
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, RepeatingTimerSkipsTheFiresMissedInAClockJump) {
    int fired = 0;
    Date start = clock_->now();
    Timer timer(1, true, [&] { ++fired; });
    advance(1);
    EXPECT_EQ(fired, 1);
    advance(3600.5);
    EXPECT_EQ(fired, 2) << "an hour's jump fires once, not 3600 times";
    EXPECT_EQ(timer.fireDate(), start.addingSeconds(3602)) << "keeps to the original beat";
    advance(0.4);
    EXPECT_EQ(fired, 2);
    advance(0.1);
    EXPECT_EQ(fired, 3);
}

TEST_F(TimerTest, ABackwardJumpKeepsThePendingDelay) {
    int fired = 0;
    Timer timer(5, false, [&] { ++fired; });
    RunLoop::current().runOnce();
    advance(-3600);
    advance(4.9);
    EXPECT_EQ(fired, 0);
    advance(0.1);
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, InvalidatedOrDestroyedTimersDoNotFire) {
    int fired = 0;
    Timer kept(1, true, [&] { ++fired; });
    kept.invalidate();
    {
        Timer dropped(1, false, [&] { ++fired; });
    }
    advance(2);
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(kept.isValid());
}

TEST_F(TimerTest, AnActionMayDestroyItsOwnTimer) {
    auto timer = std::make_unique<Timer>();
    int fired = 0;
    *timer = Timer(1, true, [&] {
        ++fired;
        timer.reset();
    });
    advance(1);
    advance(1);
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, DueTimersFireInTheOrderOfTheirFireDates) {
    std::vector<int> order;
    Timer late(0.3, false, [&] { order.push_back(3); });
    Timer early(0.1, false, [&] { order.push_back(1); });
    Timer middle(0.2, false, [&] { order.push_back(2); });
    advance(1);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(TimerTest, SettingTheFireDateMovesTheTimer) {
    int fired = 0;
    Timer timer(10, false, [&] { ++fired; });
    timer.setFireDate(clock_->now().addingSeconds(1));
    advance(1);
    EXPECT_EQ(fired, 1);
}

} // namespace
} // namespace florelle
