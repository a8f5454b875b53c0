#pragma once

#include "MainPage.h"
#include "reminders/ReminderScheduler.h"

namespace florelle {

class LocalNotificationCenter;

// The settings page of the main screen's strip. A new reminder lead time
// reschedules both reminders.
class SettingsGlobalController : public MainPage {
public:
    explicit SettingsGlobalController(LocalNotificationCenter& notifications)
        : scheduler_(notifications) {}

    // Kind 0 period, 1 fertile window; `days` before the start.
    void setNotification(int kind, int days) override;

private:
    ReminderScheduler scheduler_;
};

} // namespace florelle
