// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

#include <compare>
#include <cstddef>
#include <functional>
#include <string>

namespace florelle {

// One local calendar day (day, month, year) without a time of day or a time
// zone. Fields wider than their bits (month 4, day 5, year 15) are cut to
// that width; dates built from calendar components always fit.
class CalDate {
public:
    CalDate(unsigned day, unsigned month, unsigned year);
    static CalDate dateForDay(unsigned day, unsigned month, unsigned year);
    // The local day of the instant in the current calendar and time zone.
    static CalDate dateFromDate(Date date);

    // Local midnight of this day in the current calendar.
    Date date() const;

    unsigned day() const { return day_; }
    unsigned month() const { return month_; }
    unsigned year() const { return year_; }

    // Equal to today's cached date.
    bool isToday() const;
    // The process-wide today, computed at first use and recomputed on every
    // significant time change (local midnight, clock or zone change).
    static CalDate today();
    static void cacheTodaysDate();

    // -1, 0 or 1 as this day comes before, on or after the other.
    int compare(const CalDate& other) const;
    std::strong_ordering operator<=>(const CalDate& other) const;
    bool operator==(const CalDate& other) const;
    // "month/day/year", e.g. "3/7/2011".
    std::string description() const;

private:
    // year × 10000 + month × 100 + day
    unsigned key() const;

    unsigned month_ : 4;
    unsigned day_ : 5;
    unsigned year_ : 15;
};

} // namespace florelle

// The hash is the day of the month alone.
template <> struct std::hash<florelle::CalDate> {
    std::size_t operator()(const florelle::CalDate& date) const noexcept { return date.day(); }
};
