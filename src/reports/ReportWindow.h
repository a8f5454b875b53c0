// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

namespace florelle {

// The span the reports cover: a number of 30-day months back from now. The
// periods listed are those whose start or end lies between the two
// instants; the days listed are the span's local days, today the last.
struct ReportWindow {
    static constexpr int daysPerMonth = 30;
    static constexpr int defaultMonths = 12;

    Date from;
    Date to;
    int months = defaultMonths;

    static ReportWindow lastMonths(int months, Date now, const Calendar& calendar);

    int dayCount() const { return months * daysPerMonth; }
    // The oldest day listed; `to`'s day is the newest.
    Date firstDay(const Calendar& calendar) const;
};

} // namespace florelle
