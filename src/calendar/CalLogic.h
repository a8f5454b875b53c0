// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalDate.h"
#include "CalDateFormatter.h"
#include "foundation/Date.h"

#include <functional>
#include <string>
#include <vector>

namespace florelle {

// The month on show and the days that fill its grid: the month's own days,
// the previous month's days that share the first week row and the following
// month's days that share the last one. Laid end to end the three lists make
// whole weeks (28, 35 or 42 days) starting on the locale's first weekday.
class CalLogic {
public:
    // On the month of the current date.
    CalLogic();
    explicit CalLogic(Date date);

    void moveToMonthForDate(Date date);
    void advanceToFollowingMonth();
    void retreatToPreviousMonth();
    void recalculateVisibleDays();

    // Local 00:00:00 of day 1 of the month on show.
    Date baseDate() const { return baseDate_; }
    // Local 00:00:00 of the first day in the grid.
    Date fromDate() const { return fromDate_; }
    // Local 23:59:59 of the last day in the grid.
    Date toDate() const { return toDate_; }
    const std::vector<CalDate>& daysInSelectedMonth() const { return daysInSelectedMonth_; }
    const std::vector<CalDate>& daysInFinalWeekOfPreviousMonth() const {
        return daysInFinalWeekOfPreviousMonth_;
    }
    const std::vector<CalDate>& daysInFirstWeekOfFollowingMonth() const {
        return daysInFirstWeekOfFollowingMonth_;
    }

    int numberOfDaysInPreviousPartialWeek() const;  // 0..6
    int numberOfDaysInFollowingPartialWeek() const; // 0..6
    // The month on show as "LLLL yyyy" in the current locale ("March 2011").
    std::string selectedMonthNameAndYear() const;

    // Called with the new title every time the month on show is set.
    std::function<void(const std::string& title)> onSelectedMonthNameAndYearChanged;

private:
    void setBaseDate(Date date);
    Date lastDayOfMonth() const;

    Date baseDate_;
    Date fromDate_;
    Date toDate_;
    std::vector<CalDate> daysInSelectedMonth_;
    std::vector<CalDate> daysInFinalWeekOfPreviousMonth_;
    std::vector<CalDate> daysInFirstWeekOfFollowingMonth_;
    CalDateFormatter monthAndYearFormatter_{"LLLL yyyy"};
};

} // namespace florelle
