// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartWindow.h"

namespace florelle {

int ChartWindow::monthsFor(int periodMode) {
    switch (periodMode) {
    case 1:
        return 3;
    case 2:
        return 6;
    default:
        return 1;
    }
}

ChartWindow ChartWindow::endingAt(Date now, int periodMode, const Calendar& calendar) {
    return {calendar.addingDays(now, -monthDays * monthsFor(periodMode)), now};
}

ChartWindow ChartWindow::stepped(int periodMode, bool forward, const Calendar& calendar) const {
    int days = monthDays * monthsFor(periodMode) * (forward ? 1 : -1);
    return {calendar.addingDays(fromDate, days), calendar.addingDays(toDate, days)};
}

} // namespace florelle
