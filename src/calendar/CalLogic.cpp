// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalLogic.h"

#include "CalAdditions.h"
#include "foundation/Clock.h"

namespace florelle {

namespace {

std::vector<CalDate> daysOfMonth(const DateComponents& month, int first, int last) {
    std::vector<CalDate> days;
    for (int day = first; day <= last; ++day) {
        days.emplace_back(day, month.month, month.year);
    }
    return days;
}

} // namespace

CalLogic::CalLogic() : CalLogic(Clock::current()->now()) {}

CalLogic::CalLogic(Date date) {
    moveToMonthForDate(date);
}

void CalLogic::moveToMonthForDate(Date date) {
    setBaseDate(CalAdditions::dateByMovingToFirstDayOfTheMonth(date));
    recalculateVisibleDays();
}

void CalLogic::advanceToFollowingMonth() {
    moveToMonthForDate(CalAdditions::dateByMovingToFirstDayOfTheFollowingMonth(baseDate_));
}

void CalLogic::retreatToPreviousMonth() {
    moveToMonthForDate(CalAdditions::dateByMovingToFirstDayOfThePreviousMonth(baseDate_));
}

void CalLogic::setBaseDate(Date date) {
    baseDate_ = date;
    if (onSelectedMonthNameAndYearChanged) {
        onSelectedMonthNameAndYearChanged(selectedMonthNameAndYear());
    }
}

Date CalLogic::lastDayOfMonth() const {
    DateComponents parts = CalAdditions::componentsForMonthDayAndYear(baseDate_);
    parts.day = CalAdditions::numberOfDaysInMonth(baseDate_);
    return CalAdditions::currentCalendar().dateFromComponents(parts);
}

void CalLogic::recalculateVisibleDays() {
    DateComponents month = CalAdditions::componentsForMonthDayAndYear(baseDate_);
    int count = CalAdditions::numberOfDaysInMonth(baseDate_);
    daysInSelectedMonth_ = daysOfMonth(month, 1, count);

    int leading = numberOfDaysInPreviousPartialWeek();
    Date previousMonth = CalAdditions::dateByMovingToFirstDayOfThePreviousMonth(baseDate_);
    int previousCount = CalAdditions::numberOfDaysInMonth(previousMonth);
    daysInFinalWeekOfPreviousMonth_ =
        daysOfMonth(CalAdditions::componentsForMonthDayAndYear(previousMonth),
                    previousCount - leading + 1, previousCount);

    int trailing = numberOfDaysInFollowingPartialWeek();
    Date followingMonth = CalAdditions::dateByMovingToFirstDayOfTheFollowingMonth(baseDate_);
    daysInFirstWeekOfFollowingMonth_ =
        daysOfMonth(CalAdditions::componentsForMonthDayAndYear(followingMonth), 1, trailing);

    const CalDate& first = daysInFinalWeekOfPreviousMonth_.empty()
                               ? daysInSelectedMonth_.front()
                               : daysInFinalWeekOfPreviousMonth_.front();
    const CalDate& last = daysInFirstWeekOfFollowingMonth_.empty()
                              ? daysInSelectedMonth_.back()
                              : daysInFirstWeekOfFollowingMonth_.back();
    fromDate_ = CalAdditions::dateByMovingToBeginningOfDay(first.date());
    toDate_ = CalAdditions::dateByMovingToEndOfDay(last.date());
}

int CalLogic::numberOfDaysInPreviousPartialWeek() const {
    return CalAdditions::weekday(baseDate_) - 1;
}

int CalLogic::numberOfDaysInFollowingPartialWeek() const {
    return 7 - CalAdditions::weekday(lastDayOfMonth());
}

std::string CalLogic::selectedMonthNameAndYear() const {
    return monthAndYearFormatter_.stringFromDate(baseDate_);
}

} // namespace florelle
