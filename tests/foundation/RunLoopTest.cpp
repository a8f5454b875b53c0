// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/RunLoop.h"

#include "foundation/FileDescriptor.h"
#include "foundation/FileDescriptorSource.h"
#include "foundation/Timer.h"
#include "support/TestEnvironment.h"

#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace florelle {
namespace {

class RunLoopTest : public testing::DiaryTest {};

TEST_F(RunLoopTest, ATaskPostedFromAnotherThreadRunsOnTheMainLoop) {
    RunLoop& main = RunLoop::current();
    ASSERT_EQ(&main, &RunLoop::main());
    std::thread::id ranOn;
    bool ran = false;
    std::thread worker([&] {
        EXPECT_NE(&RunLoop::current(), &RunLoop::main());
        RunLoop::main().post([&] {
            ranOn = std::this_thread::get_id();
            ran = true;
        });
    });
    // Blocks in poll until the worker's post wakes the loop.
    EXPECT_TRUE(main.runUntil([&] { return ran; }));
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(RunLoopTest, PostedTasksRunInOrderAndLaterPostsWaitForTheNextRound) {
    std::vector<int> order;
    RunLoop& loop = RunLoop::current();
    loop.post([&] {
        order.push_back(1);
        loop.post([&] { order.push_back(3); });
    });
    loop.post([&] { order.push_back(2); });
    loop.runOnce();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    loop.runOnce();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(RunLoopTest, NestedRunReturnsWhenItsConditionHoldsWhileTimersKeepFiring) {
    RunLoop& loop = RunLoop::current();
    // Time moves a quarter second with every round of the loop.
    bool ticking = true;
    std::function<void()> tick = [&] {
        if (!ticking) {
            return;
        }
        clock_->advance(0.25);
        loop.post(tick);
    };
    loop.post(tick);

    int beats = 0;
    Timer heartbeat(1, true, [&] { ++beats; });
    bool answered = false;
    Timer answer(3, false, [&] { answered = true; });

    bool nestedReturned = false;
    int beatsWhenNestedReturned = 0;
    Timer blockingWait(0.5, false, [&] {
        // A handler waiting for an answer, as a network wait does.
        nestedReturned = loop.runUntil([&] { return answered; });
        beatsWhenNestedReturned = beats;
    });

    EXPECT_TRUE(loop.runUntil([&] { return beatsWhenNestedReturned > 0; }));
    EXPECT_TRUE(nestedReturned);
    EXPECT_GE(beatsWhenNestedReturned, 2) << "the heartbeat went on during the nested wait";
    EXPECT_LE(beatsWhenNestedReturned, 3);
    ticking = false;
    loop.runOnce();
}

TEST_F(RunLoopTest, TellsAnOutsideWaiterWhatIsDueNext) {
    RunLoop& loop = RunLoop::current();
    loop.runOnce();
    EXPECT_FALSE(loop.nextTimerFireDate());
    EXPECT_FALSE(loop.hasPendingTasks());
    Timer late(5, false, [] {});
    Timer soon(2, true, [] {});
    ASSERT_TRUE(loop.nextTimerFireDate());
    EXPECT_EQ(*loop.nextTimerFireDate(), clock_->now().addingSeconds(2));
    soon.invalidate();
    EXPECT_EQ(*loop.nextTimerFireDate(), clock_->now().addingSeconds(5));
    loop.post([] {});
    EXPECT_TRUE(loop.hasPendingTasks());
    loop.runOnce();
    EXPECT_FALSE(loop.hasPendingTasks());
}

TEST_F(RunLoopTest, AWaitNestedInAWindowsHandlerKeepsServingTheWindowThroughItsPump) {
    RunLoop& loop = RunLoop::current();
    int pumped = 0;
    int pumpedInsideThePump = 0;
    loop.setNestedRunPump(
        [&] {
            if (++pumped == 1) {
                // A wait inside the window's own round does not pump again.
                loop.post([] {});
                loop.runUntil([&] { return !loop.hasPendingTasks(); });
                pumpedInsideThePump = pumped - 1;
            }
        },
        0.001);
    loop.runOnce();
    EXPECT_EQ(pumped, 0) << "the window's own rounds are not pumped";
    // Nothing is due and nothing posted: without the pump this would sleep for ever.
    EXPECT_TRUE(loop.runUntil([&] { return pumped >= 3; }));
    EXPECT_EQ(pumpedInsideThePump, 0);
    loop.setNestedRunPump(nullptr, 0);
    loop.post([] {});
    EXPECT_TRUE(loop.runUntil([&] { return !loop.hasPendingTasks(); }));
    EXPECT_EQ(pumped, 3) << "an emptied pump is no longer called";
}

TEST_F(RunLoopTest, RunUntilGivesUpAtItsDeadline) {
    RunLoop& loop = RunLoop::current();
    Timer mover(1, true, [&] { clock_->advance(1); });
    clock_->advance(1);
    Date deadline = clock_->now().addingSeconds(5);
    EXPECT_FALSE(loop.runUntil([] { return false; }, deadline));
    EXPECT_GE(clock_->now(), deadline);
}

TEST_F(RunLoopTest, StopEndsTheInnermostRun) {
    RunLoop& loop = RunLoop::current();
    loop.post([&] { loop.stop(); });
    loop.run();
    SUCCEED();
}

TEST_F(RunLoopTest, FileDescriptorSourceFiresWhenReadable) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    FileDescriptor reader(ends[0]);
    FileDescriptor writer(ends[1]);
    std::string received;
    short seen = 0;
    {
        FileDescriptorSource source(reader.get(), POLLIN, [&](short revents) {
            seen = revents;
            char buffer[16];
            auto count = ::read(reader.get(), buffer, sizeof buffer);
            received.append(buffer, count > 0 ? count : 0);
        });
        RunLoop::current().runOnce();
        EXPECT_TRUE(received.empty());
        ASSERT_EQ(::write(writer.get(), "ping", 4), 4);
        EXPECT_TRUE(RunLoop::current().runUntil([&] { return !received.empty(); }));
        EXPECT_EQ(received, "ping");
        EXPECT_TRUE(seen & POLLIN);
    }
    ASSERT_EQ(::write(writer.get(), "more", 4), 4);
    RunLoop::current().runOnce();
    EXPECT_EQ(received, "ping") << "a removed source is not served";
}

} // namespace
} // namespace florelle
