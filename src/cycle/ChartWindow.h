// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

namespace florelle {

// The span of days a chart shows: 1, 3 or 6 months of 30 days ending at a
// date. Both ends carry a time of day; the chart holds every local day from
// the first end's day to the last end's day, both included.
struct ChartWindow {
    static constexpr int monthDays = 30;

    Date fromDate;
    Date toDate;

    // Months in the window for a window mode: 0 one, 1 three, 2 six.
    static int monthsFor(int periodMode);
    // The window of the mode that ends at `now`.
    static ChartWindow endingAt(Date now, int periodMode, const Calendar& calendar);
    // The window moved one window length later (forward) or earlier, as local
    // days; there is no bound either way.
    ChartWindow stepped(int periodMode, bool forward, const Calendar& calendar) const;

    bool operator==(const ChartWindow&) const = default;
};

} // namespace florelle
