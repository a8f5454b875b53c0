// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryZoneFollower.h"

#include "foundation/TimeZone.h"
#include "reminders/ReminderScheduler.h"
#include "storage/DiaryTimeZone.h"

namespace florelle {

StoreResult<bool> DiaryZoneFollower::followMachineZone(LocalNotificationCenter& reminders) {
    TimeZone::resetSystemTimeZone();
    auto moved = DiaryTimeZone::follow(TimeZone::current());
    if (!moved) {
        return moved.error();
    }
    if (!*moved) {
        return false;
    }
    // The reminders were planned for local days of the old zone.
    if (auto planned = ReminderScheduler(reminders).resetNotifications(); !planned) {
        return planned.error();
    }
    return true;
}

} // namespace florelle
