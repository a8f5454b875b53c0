// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Date.h"
#include "Locale.h"
#include "TimeZone.h"

#include <memory>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Calendar;
U_NAMESPACE_END

namespace florelle {

// The parts of a local date and time. Months are 1 to 12; weekday is 1
// (Sunday) to 7 (Saturday) and is only read, never used to build a date.
struct DateComponents {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;
};

// Gregorian calendar arithmetic in local calendar days of one time zone.
// A day step keeps the wall-clock time, so days that are 23 or 25 hours long
// around a clock change still count as one day. The locale only chooses the
// first day of the week.
class Calendar {
public:
    // In the device's current locale.
    explicit Calendar(const TimeZone& zone);
    Calendar(const TimeZone& zone, const Locale& locale);
    Calendar(const Calendar& other);
    Calendar& operator=(const Calendar& other);
    ~Calendar();

    // The calendar of the device's current time zone and locale.
    static Calendar current();

    const TimeZone& timeZone() const { return zone_; }
    const Locale& locale() const { return locale_; }
    // 1 = Sunday … 7 = Saturday, as the locale has it.
    int firstWeekday() const;

    DateComponents components(Date date) const;
    // Out-of-range fields roll over (day 32 is the first of the next month).
    Date dateFromComponents(const DateComponents& components) const;

    Date startOfDay(Date date) const; // local 00:00:00
    Date endOfDay(Date date) const;   // local 23:59:59
    Date addingDays(Date date, int days) const;
    Date addingMonths(Date date, int months) const;
    // Local calendar days from `from` to `to`: 0 on the same day.
    int daysFrom(Date from, Date to) const;
    // The number of days of the month that holds the date's local day.
    int daysInMonth(Date date) const;
    // The zone's offset east of UTC at the date, daylight saving included.
    int secondsFromGMT(Date date) const;

private:
    // Adds to one ICU calendar field (UCalendarDateFields).
    Date adding(Date date, int field, int amount) const;

    TimeZone zone_;
    Locale locale_;
    std::unique_ptr<icu::Calendar> calendar_;
};

} // namespace florelle
