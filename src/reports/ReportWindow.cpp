// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportWindow.h"

namespace florelle {

ReportWindow ReportWindow::lastMonths(int months, Date now, const Calendar& calendar) {
    // Whole local days back, so that a clock change inside the span moves
    // neither end to another day.
    return {calendar.addingDays(now, -months * daysPerMonth), now, months};
}

Date ReportWindow::firstDay(const Calendar& calendar) const {
    return calendar.addingDays(to, 1 - dayCount());
}

} // namespace florelle
