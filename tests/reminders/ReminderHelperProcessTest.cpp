// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopSession.h"
#include "foundation/Clock.h"
#include "platform/LocalNotificationStore.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

// The installed helper as the desktop starts it at login: its own process,
// the session bus and the user's data folder from the environment.
class HelperProcess {
public:
    HelperProcess(const std::string& busAddress, const std::filesystem::path& dataHome) {
        std::vector<std::string> environment = {"DBUS_SESSION_BUS_ADDRESS=" + busAddress,
                                                "XDG_DATA_HOME=" + dataHome.string(), "TZ=UTC",
                                                "LANG=C.UTF-8", "ASAN_OPTIONS=detect_leaks=1"};
        std::vector<char*> envp;
        for (auto& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        std::string program = FLORELLE_REMINDERS_PATH;
        char* argv[] = {program.data(), nullptr};
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv, envp.data()) != 0) {
            pid_ = -1;
        }
    }
    // Asks it to end as the session does at logout; its exit status.
    int terminate() {
        int status = 0;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool started() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

LocalNotification reminder(Date fireDate, std::string body) {
    LocalNotification result;
    result.fireDate = fireDate;
    result.alertBody = std::move(body);
    result.alertAction = "Period details";
    return result;
}

void schedule(const std::filesystem::path& documents, const LocalNotification& note) {
    LocalNotificationStore(documents).update([&](LocalNotificationStore::Contents& contents) {
        contents.entries.push_back({note, false});
        return true;
    });
}

TEST(ReminderHelperProcessTest, ShowsAMissedReminderOnceOverTwoLogins) {
    PrivateSessionBus bus;
    if (bus.address().empty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    FakeNotificationService service(bus.address());
    TempDirectory dataHome;
    auto documents = dataHome.path() / "florelle";
    Date now = RealClock().now();
    // It fell due yesterday, while the machine was off.
    schedule(documents, reminder(now.addingSeconds(-86400), "missed"));
    schedule(documents, reminder(now.addingSeconds(30 * 86400), "ahead"));

    HelperProcess first(bus.address(), dataHome.path());
    ASSERT_TRUE(first.started());
    auto calls = service.calls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].body, "missed");
    EXPECT_EQ(first.terminate(), 0);

    // Another reminder falls due before the next login; only it is new.
    schedule(documents, reminder(now.addingSeconds(-60), "since"));
    HelperProcess second(bus.address(), dataHome.path());
    calls = service.calls(2);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].body, "since");
    EXPECT_EQ(second.terminate(), 0);

    auto entries = LocalNotificationStore(documents).read().entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[0].delivered);
    EXPECT_FALSE(entries[1].delivered);
    EXPECT_TRUE(entries[2].delivered);
}

} // namespace
