#pragma once

#include "MainPage.h"
#include "reminders/ReminderScheduler.h"

#include <memory>

namespace florelle {

class LocalNotificationCenter;
class MainViewController;
class NavigationController;
class UserGuideController;

// The settings page of the main screen's strip: a stack of screens without
// a bar, whose way back is the main screen's back button. A new reminder
// lead time reschedules both reminders.
class SettingsGlobalController : public MainPage {
public:
    SettingsGlobalController(LocalNotificationCenter& notifications,
                             std::weak_ptr<MainViewController> mainViewController);
    ~SettingsGlobalController() override;

    void viewDidLoad() override;

    // Kind 0 period, 1 fertile window; `days` before the start.
    void setNotification(int kind, int days) override;

    // Shows the user guide over the settings; the main screen's back button
    // comes up and keeps the page from hiding it.
    void pushUserGuide();
    // One screen back; at the first screen the back button goes away.
    void popController() override;

    NavigationController& navController() const { return *navController_; }
    UserGuideController& userGuideController() const { return *userGuideController_; }

private:
    void pushScreen(std::shared_ptr<ViewController> screen);

    ReminderScheduler scheduler_;
    std::weak_ptr<MainViewController> mainViewController_;
    std::shared_ptr<NavigationController> navController_;
    std::shared_ptr<UserGuideController> userGuideController_;
};

} // namespace florelle
