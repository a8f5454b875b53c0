// SPDX-License-Identifier: GPL-3.0-or-later
#include "reminders/ReminderHelper.h"

#include "RecordingPresenter.h"
#include "foundation/RunLoop.h"
#include "reminders/ApplicationLauncher.h"
#include "reminders/TerminationSignal.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class ReminderHelperTest : public DiaryTest {
protected:
    LocalNotification reminder(double hoursAhead, std::string action) const {
        LocalNotification result;
        result.fireDate = clock_->now().addingSeconds(hoursAhead * 3600);
        result.timeZone = "UTC";
        result.alertBody = "Your period starts in 2 days!";
        result.alertAction = std::move(action);
        return result;
    }

    std::vector<LocalNotification> launched_;
    std::vector<std::string> tokens_;
    ReminderHelper::Launch recordLaunch() {
        return [this](const LocalNotification& note, const std::string& token) {
            launched_.push_back(note);
            tokens_.push_back(token);
        };
    }
};

TEST_F(ReminderHelperTest, ShowsWhatFellDueWhileNothingRanOnceAcrossRestarts) {
    LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduleLocalNotification(reminder(2, "Period details"));
    // The machine was off when it fell due.
    clock_->advance(3 * 24 * 3600);

    for (int start = 0; start < 2; ++start) {
        auto presenter = std::make_shared<RecordingPresenter>();
        ReminderHelper helper(LocalNotificationStore::standard(), presenter, recordLaunch());
        helper.start();
        RunLoop::current().runOnce();
        EXPECT_EQ(presenter->presented.size(), start == 0 ? 1u : 0u) << "start " << start;
    }
}

TEST_F(ReminderHelperTest, APressedButtonStartsTheWindowWithThatReminder) {
    auto presenter = std::make_shared<RecordingPresenter>();
    ReminderHelper helper(LocalNotificationStore::standard(), presenter, recordLaunch());
    helper.start();
    helper.center().scheduleLocalNotification(reminder(1, "Fertile details"));
    clock_->advance(3600);
    RunLoop::current().runOnce();
    ASSERT_EQ(presenter->presented.size(), 1u);

    presenter->onActionInvoked(presenter->presented[0], "token-1");
    ASSERT_EQ(launched_.size(), 1u);
    EXPECT_EQ(launched_[0].alertAction, "Fertile details");
    EXPECT_EQ(tokens_, std::vector<std::string>{"token-1"});
}

TEST_F(ReminderHelperTest, TheLauncherPassesTheActionAsLaunchOption) {
    auto script = documents_->path() / "florelle";
    auto record = documents_->path() / "arguments.txt";
    std::ofstream(script) << "#!/bin/sh\n(for word in \"$@\"; do echo \"$word\"; done\n"
                          << "echo \"token $XDG_ACTIVATION_TOKEN\") > '" << record.string()
                          << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);

    // With nobody on the bus to hand it to, the window is started.
    pid_t child = ApplicationLauncher(script).launch(reminder(0, "Period details"), "token-5");
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::stringstream written;
    written << std::ifstream(record).rdbuf();
    EXPECT_EQ(written.str(), "--launched-from-reminder\nPeriod details\ntoken token-5\n");

    EXPECT_EQ(ApplicationLauncher(documents_->path() / "missing").launch(reminder(0, "x")), -1);
    EXPECT_TRUE(log_->contains("ApplicationLauncher: cannot start"));
}

TEST_F(ReminderHelperTest, TerminationEndsTheRunLoopCleanly) {
    int heard = 0;
    {
        TerminationSignal termination([&] {
            ++heard;
            RunLoop::current().stop();
        });
        RunLoop::current().post([] { ::raise(SIGTERM); });
        RunLoop::current().run();
    }
    EXPECT_EQ(heard, 1);
    // The signal's usual handling is back once the watch is gone.
    sigset_t blocked;
    pthread_sigmask(SIG_BLOCK, nullptr, &blocked);
    EXPECT_FALSE(sigismember(&blocked, SIGTERM));
}

} // namespace
