// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <string>
#include <string_view>

namespace florelle::cli {

// Days on the command line: ISO dates ("2026-03-01"), "today" and
// "yesterday", always local calendar days of the device's time zone, in the
// years 1900 to 2100.
class LocalDay {
public:
    // The day's local midnight. Throws UsageError for a malformed,
    // impossible or out-of-range date, naming what was given.
    static Date parse(std::string_view text, const Calendar& calendar, Date now);
    // A local date and time, "2027-03-01T12:00". Throws UsageError for a
    // malformed or out-of-range one, or a time the local clock skips.
    static Date parseTime(std::string_view text, const Calendar& calendar);
    static std::string format(Date date, const Calendar& calendar);
};

} // namespace florelle::cli
