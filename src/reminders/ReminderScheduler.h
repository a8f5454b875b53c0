// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LocalNotificationCenter.h"
#include "storage/StoreResult.h"

namespace florelle {

// Plans the period and fertile-window reminders and hands them to the
// application's local notifications; the one scheduling operation of every
// front end (settings, period entry, activation, command line). Afterwards
// exactly the two reminders are pending, with their texts looked up in the
// string table; one placed before now is dropped rather than shown late.
class ReminderScheduler {
public:
    explicit ReminderScheduler(LocalNotificationCenter& center) : center_(center) {}

    // Stores `days` for the kind (0 period, 1 fertile window) and schedules
    // both reminders anew from the latest period and the settings. Any
    // other kind changes nothing: the pending reminders stay, as they do
    // when the diary cannot be read or written.
    StoreStatus setNotification(int kind, int days);
    // Kind 0 with the stored period days: after a period start was saved or
    // a period deleted, and at every activation.
    StoreStatus resetNotifications();

    // Whether a notification the application was started from is one of the
    // two reminders: its action is the looked-up text of either reminder's
    // action key. Only then does the start replan them.
    static bool isReminder(const LocalNotification& notification);
    // One of the reminders with its texts written anew in the language of
    // now, from the kind and days it carries; any other notification (and a
    // reminder stored before they carried them) as it is.
    static LocalNotification inCurrentLanguage(const LocalNotification& notification);

private:
    LocalNotificationCenter& center_;
};

} // namespace florelle
