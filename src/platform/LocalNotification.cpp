// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalNotification.h"

#include "foundation/Calendar.h"

namespace florelle {

Date LocalNotification::dueDate(const TimeZone& deviceZone) const {
    if (timeZone.empty() || timeZone == deviceZone.identifier()) {
        return fireDate;
    }
    // Wall-clock fields are whole seconds; fire dates are too.
    DateComponents wallClock = Calendar(TimeZone(timeZone)).components(fireDate);
    return Calendar(deviceZone).dateFromComponents(wallClock);
}

} // namespace florelle
