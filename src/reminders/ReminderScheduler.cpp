// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderScheduler.h"

#include "cycle/CycleInputs.h"
#include "cycle/ReminderPlanner.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"

#include <charconv>

namespace florelle {

namespace {

constexpr const char* kindInfo = "reminderKind";
constexpr const char* daysInfo = "reminderDays";

void writeTexts(const Reminder& reminder, LocalNotification& notification) {
    notification.alertBody = reminder.body.resolve();
    notification.alertAction = Strings::localized(reminder.actionKey);
}

// The texts are written now too, for programs that show them as stored.
LocalNotification notificationFor(const Reminder& reminder) {
    LocalNotification notification;
    notification.fireDate = reminder.fireDate;
    notification.timeZone = reminder.timeZone;
    writeTexts(reminder, notification);
    notification.soundName = LocalNotification::defaultSoundName;
    notification.userInfo = {{kindInfo, std::to_string(reminder.kind)},
                             {daysInfo, std::to_string(reminder.days)}};
    return notification;
}

std::optional<int> wholeNumber(const std::map<std::string, std::string>& info, const char* name) {
    auto found = info.find(name);
    if (found == info.end()) {
        return std::nullopt;
    }
    const std::string& text = found->second;
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
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
    // A reminder says its kind, whatever language its texts were written in;
    // older ones without a kind are known by their action text.
    if (auto kind = wholeNumber(notification.userInfo, kindInfo)) {
        return *kind == ReminderPlanner::periodKind || *kind == ReminderPlanner::fertileKind;
    }
    return notification.alertAction == Strings::localized("Period details Key") ||
           notification.alertAction == Strings::localized("Fertile details Key");
}

LocalNotification ReminderScheduler::inCurrentLanguage(const LocalNotification& notification) {
    auto kind = wholeNumber(notification.userInfo, kindInfo);
    auto days = wholeNumber(notification.userInfo, daysInfo);
    if (!kind || !days ||
        (*kind != ReminderPlanner::periodKind && *kind != ReminderPlanner::fertileKind)) {
        return notification;
    }
    LocalNotification shown = notification;
    writeTexts(ReminderPlanner::reminder(*kind, *days), shown);
    return shown;
}

} // namespace florelle
