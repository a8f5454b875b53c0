// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

namespace florelle {

// What the past-period calendar asks of the screen it lies on.
class SummaryCalendarDelegate {
public:
    virtual ~SummaryCalendarDelegate() = default;
    // "Add": the entry as the calendar holds it, to be checked and stored.
    virtual void sendSummaryCalendarDown(Date startDate, Date endDate, bool isNew, Date oldDate,
                                         int mode) = 0;
    virtual void summaryCalendarCancelClicked() = 0;
};

} // namespace florelle
