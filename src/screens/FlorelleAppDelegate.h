// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiaryProblemAlert.h"
#include "DiaryWatch.h"
#include "foundation/NotificationCenter.h"
#include "platform/LocalNotificationCenter.h"
#include "ui/ApplicationDelegate.h"

#include <memory>

namespace florelle {

class Analytics;
class MainViewController;
class NotificationPresenter;
class PasscodeLock;
class Window;

// Starts the diary and keeps it current. At launch: shows the reminders
// missed while nothing ran, replans them when the launch came from one of
// them, builds the passcode lock, brings the diary up to the current data
// version and its days to the machine's time zone, and only then puts the
// main screen into the 320 × 480 window below the status bar, so the screen
// never sees data of an older format or of another zone. After a
// significant time change the days follow the machine's zone again.
// At every activation: today's status, the rating prompt's counting, both
// reminders anew, and the lock over everything when a passcode is stored.
class FlorelleAppDelegate : public ApplicationDelegate {
public:
    static constexpr double statusBarHeight = 20;

    // Reminders reach the desktop through `presenter`; without one they are
    // only kept (the reminder helper shows them).
    explicit FlorelleAppDelegate(std::shared_ptr<NotificationPresenter> presenter = nullptr,
                                 std::shared_ptr<Analytics> analytics = nullptr);
    ~FlorelleAppDelegate() override;

    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;
    void didBecomeActive(Application& application) override;
    // One of the reminders, pressed while the window is open: they are
    // planned anew and the main screen comes up, as after a launch from it.
    void didReceiveLocalNotification(Application& application,
                                     const LocalNotification& notification) override;
    // Out of sight, other programs' changes are left to the next activation.
    void didEnterBackground(Application& application) override;

    // The migration's last act: the main screen goes into the window.
    virtual void updateFinshed();
    // Both reminders planned anew from the latest period and the settings.
    void resetNotifications();
    // A tap on the status bar: the main screen lowers its open panel.
    // Nothing while the lock is up.
    void statusBarTouch();
    // Keys go to the main screen while no lock is over it.
    bool keyPressed(Application& application, Key key) override;

    const std::shared_ptr<Window>& window() const { return window_; }
    // Empty until the migration is done.
    const std::shared_ptr<MainViewController>& mainViewController() const { return main_; }
    const std::shared_ptr<PasscodeLock>& passcodeLock() const { return lock_; }
    LocalNotificationCenter& notifications() { return notifications_; }

private:
    bool hasPresenter_;
    LocalNotificationCenter notifications_;
    std::shared_ptr<Analytics> analytics_;
    std::shared_ptr<Window> window_;
    std::shared_ptr<MainViewController> main_;
    std::shared_ptr<PasscodeLock> lock_;
    DiaryProblemAlert diaryProblem_;
    NotificationCenter::Observation timeChange_;
    DiaryWatch diaryWatch_;
};

} // namespace florelle
