// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

namespace florelle {

// Day and month steps of the month calendar, all in the device's current
// calendar, time zone and locale, in local calendar days.
class CalAdditions {
public:
    // The current calendar; rebuilt only when the zone or the locale changed.
    static const Calendar& currentCalendar();

    static Date dateByMovingToBeginningOfDay(Date date);     // 00:00:00
    static Date dateByMovingToEndOfDay(Date date);           // 23:59:59
    static Date dateByMovingToFirstDayOfTheMonth(Date date); // day 1, 00:00:00
    static Date dateByMovingToFirstDayOfTheFollowingMonth(Date date);
    static Date dateByMovingToFirstDayOfThePreviousMonth(Date date);
    // Year, month and day; the time fields are zero.
    static DateComponents componentsForMonthDayAndYear(Date date);
    // 1..7, counted from the locale's first weekday (1 = that weekday).
    static int weekday(Date date);
    static int numberOfDaysInMonth(Date date);
};

} // namespace florelle
