// SPDX-License-Identifier: GPL-3.0-or-later
// florelle-reminders: started at login, it shows Florelle's reminders when
// they are due, also while the window is closed, and brings the window up
// when a reminder's button is pressed.
#include "foundation/Log.h"
#include "foundation/PrivateFiles.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "platform/DesktopNotificationPresenter.h"
#include "reminders/ApplicationLauncher.h"
#include "reminders/ReminderHelper.h"
#include "reminders/TerminationSignal.h"

#include <csignal>

using namespace florelle;

int main() {
    PrivateFiles::tightenDiaryFiles();
    // Windows started from a reminder live on their own; nobody waits for them.
    std::signal(SIGCHLD, SIG_IGN);
    // Before the bus connection starts its thread, which must not take the signals.
    TerminationSignal termination([] { RunLoop::current().stop(); });
    auto presenter = DesktopNotificationPresenter::connect();
    if (!presenter) {
        Log::write("florelle-reminders: no desktop session to show reminders in");
        return 1;
    }
    ApplicationLauncher launcher = ApplicationLauncher::besideThisProgram();
    ReminderHelper helper(
        LocalNotificationStore::standard(), presenter,
        [&launcher](const LocalNotification& notification, const std::string& token) {
            launcher.open(notification, token);
        });
    helper.start();
    // A helper whose session has ended has nobody left to remind.
    Timer sessionCheck(LocalNotificationCenter::recheckInterval, true, [&presenter] {
        if (!presenter->isConnected()) {
            Log::write("florelle-reminders: the session ended");
            RunLoop::current().stop();
        }
    });
    RunLoop::current().run();
    return 0;
}
