#include "ReminderScheduler.h"

#include "cycle/CycleInputs.h"
#include "cycle/ReminderPlanner.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"

namespace florelle {

namespace {

LocalNotification notificationFor(const Reminder& reminder) {
    LocalNotification notification;
    notification.fireDate = reminder.fireDate;
    notification.timeZone = reminder.timeZone;
    notification.alertBody = reminder.body.resolve();
    notification.alertAction = Strings::localized(reminder.actionKey);
    notification.soundName = LocalNotification::defaultSoundName;
    return notification;
}

} // namespace

StoreStatus ReminderScheduler::setNotification(int kind, int days) {
    // Cancelling first would leave no reminder at all for a kind that
    // schedules nothing.
    if (kind != ReminderPlanner::periodKind && kind != ReminderPlanner::fertileKind) {
        Log::write("ReminderScheduler: no reminder of kind " + std::to_string(kind));
        return {};
    }
    // Reminders planned from a diary that could not be read would be wrong:
    // the pending ones stay until it can be.
    auto inputs = CycleInputs::reminder(kind, days, Clock::current()->now());
    if (!inputs) {
        return inputs.error();
    }
    if (auto saved = DatabaseController::saveNotification(kind, days); !saved) {
        return saved;
    }
    center_.setApplicationIconBadgeNumber(0);
    auto plan = ReminderPlanner::plan(*inputs);
    // The old reminders are cancelled and the new ones scheduled in one step.
    std::vector<LocalNotification> reminders;
    if (plan) {
        reminders = {notificationFor(plan->period), notificationFor(plan->fertile)};
    }
    center_.setScheduledLocalNotifications(reminders);
    return {};
}

StoreStatus ReminderScheduler::resetNotifications() {
    auto days = DatabaseController::getPeriodNotification();
    if (!days) {
        return days.error();
    }
    return setNotification(ReminderPlanner::periodKind, *days);
}

bool ReminderScheduler::isReminder(const LocalNotification& notification) {
    return notification.alertAction == Strings::localized("Period details Key") ||
           notification.alertAction == Strings::localized("Fertile details Key");
}

} // namespace florelle
