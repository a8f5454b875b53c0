// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningWindow.h"

#include "DesktopSession.h"
#include "foundation/RunLoop.h"
#include "foundation/Strings.h"
#include "host/HeadlessHost.h"
#include "platform/ApplicationService.h"
#include "platform/DesktopNotificationPresenter.h"
#include "reminders/ApplicationLauncher.h"
#include "screens/CustomApplication.h"
#include "screens/FlorelleAppDelegate.h"
#include "screens/MainViewController.h"
#include "storage/DatabaseController.h"
#include "support/ApplicationProcess.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <thread>

namespace florelle::testing {
namespace {

std::vector<LocalNotification> pending() {
    return LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduledLocalNotifications();
}

LocalNotification periodReminder() {
    LocalNotification reminder;
    reminder.alertBody = "Your period will start in 2 days!";
    reminder.alertAction = Strings::localized("Period details Key");
    return reminder;
}

// The diary's window open on a private session bus, headless, with the
// calendar page up; the reminders it planned at start are gone again, so
// that only a replanning brings them back.
class RunningWindowTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        if (bus_.address().empty()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        ASSERT_TRUE(DatabaseController::saveFirstTimeOn(0));
        notificationService_ = std::make_unique<FakeNotificationService>(bus_.address());
        presenter_ = DesktopNotificationPresenter::connect(bus_.address());
        service_ = ApplicationService::connect(bus_.address());
        ASSERT_TRUE(presenter_ && service_);
        ASSERT_TRUE(service_->claim());
        window_.listen(service_.get(), presenter_.get());
    }

    void TearDown() override {
        host_.reset();
        delegate_.reset();
        presenter_.reset();
        service_.reset();
        notificationService_.reset();
        DiaryTest::TearDown();
    }

    void launchWithCalendarUp() {
        delegate_ = std::make_shared<FlorelleAppDelegate>(presenter_);
        host_ = std::make_unique<HeadlessHost>(delegate_, clock_->now(), 2,
                                               std::make_unique<CustomApplication>());
        host_->launch();
        delegate_->mainViewController()->petalOpen(MainPageKind::calendar);
        host_->advance(1.5);
        ASSERT_TRUE(delegate_->mainViewController()->isUp());
        LocalNotificationCenter(LocalNotificationStore::standard()).cancelAllLocalNotifications();
    }

    // Serves the window until both reminders are pending again, ten seconds at most.
    void serveUntilReplanned() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (pending().size() < 2 && std::chrono::steady_clock::now() < deadline) {
            RunLoop::current().runOnce();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // What a launch from the reminder gives, in the window already open.
    void expectTheReminderLaunchResult(const char* token) {
        EXPECT_EQ(pending().size(), 2u);
        std::set<std::string> actions;
        for (const auto& reminder : pending()) {
            actions.insert(reminder.alertAction);
        }
        EXPECT_EQ(actions, (std::set<std::string>{Strings::localized("Period details Key"),
                                                  Strings::localized("Fertile details Key")}));
        EXPECT_FALSE(delegate_->mainViewController()->isUp()) << "the main screen is shown";
        EXPECT_EQ(raisedWith_, std::vector<std::string>{token});
        EXPECT_EQ(std::getenv("XDG_ACTIVATION_TOKEN"), nullptr) << "a token serves once";
    }

    EnvironmentGuard token_{"XDG_ACTIVATION_TOKEN", nullptr};
    EnvironmentGuard startupId_{"DESKTOP_STARTUP_ID", nullptr};
    PrivateSessionBus bus_;
    std::unique_ptr<FakeNotificationService> notificationService_;
    std::shared_ptr<DesktopNotificationPresenter> presenter_;
    std::unique_ptr<ApplicationService> service_;
    // The activation token the window was raised with, each time.
    std::vector<std::string> raisedWith_;
    RunningWindow window_{[this] {
        const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
        raisedWith_.emplace_back(token ? token : "");
    }};
    std::shared_ptr<FlorelleAppDelegate> delegate_;
    std::unique_ptr<HeadlessHost> host_;
};

TEST_F(RunningWindowTest, ASecondStartFromAReminderHandsItOverAndEnds) {
    launchWithCalendarUp();
    auto output = documents_->path() / "second.txt";
    ApplicationProcess second(
        FLORELLE_APP_BINARY, {"--launched-from-reminder", periodReminder().alertAction},
        ApplicationProcess::environmentWith({"DBUS_SESSION_BUS_ADDRESS=" + bus_.address(),
                                             "XDG_DATA_HOME=" + documents_->path().string(),
                                             "XDG_CONFIG_HOME=" + documents_->path().string(),
                                             "XDG_ACTIVATION_TOKEN=token-2"},
                                            {"DISPLAY", "WAYLAND_DISPLAY"}),
        output);
    ASSERT_TRUE(second.started());
    serveUntilReplanned();
    int status = second.wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ifstream said(output);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(said), {}), "")
        << "it ran no screen of its own";
    expectTheReminderLaunchResult("token-2");
}

TEST_F(RunningWindowTest, TheButtonOfAReminderTheWindowShowedComesBackToIt) {
    LocalNotification due = periodReminder();
    due.fireDate = clock_->now().addingSeconds(-3600);
    // It fell due while nothing ran: the window shows it as it starts.
    LocalNotificationStore::standard().update([&](LocalNotificationStore::Contents& contents) {
        contents.entries.push_back({due, false});
        return true;
    });
    launchWithCalendarUp();
    ASSERT_EQ(notificationService_->calls().size(), 1u);
    notificationService_->emitActivationToken(FakeNotificationService::notificationId, "token-3");
    notificationService_->emitActionInvoked(FakeNotificationService::notificationId,
                                            DesktopNotificationPresenter::actionKey);
    serveUntilReplanned();
    expectTheReminderLaunchResult("token-3");
}

TEST_F(RunningWindowTest, TheHelpersButtonReachesTheOpenWindowWithoutStartingAnother) {
    launchWithCalendarUp();
    ApplicationLauncher helper(documents_->path() / "not-started",
                               ApplicationService::connect(bus_.address()));
    auto opened = std::async(std::launch::async, [&] { helper.open(periodReminder(), "token-4"); });
    serveUntilReplanned();
    opened.wait();
    EXPECT_FALSE(log_->contains("ApplicationLauncher: cannot start"));
    expectTheReminderLaunchResult("token-4");
}

} // namespace
} // namespace florelle::testing
