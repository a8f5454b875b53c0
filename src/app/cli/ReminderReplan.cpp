// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderReplan.h"

#include "StoreChecks.h"
#include "platform/LocalNotificationCenter.h"
#include "platform/LocalNotificationStore.h"
#include "reminders/ReminderScheduler.h"

namespace florelle::cli {

void replanReminders() {
    LocalNotificationCenter center(LocalNotificationStore::standard());
    checked(ReminderScheduler(center).resetNotifications());
}

} // namespace florelle::cli
