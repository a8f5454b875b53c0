// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalAdditions.h"

#include <memory>

namespace florelle {

const Calendar& CalAdditions::currentCalendar() {
    // Building an ICU calendar costs far more than a month of day steps.
    thread_local std::unique_ptr<Calendar> cached;
    TimeZone zone = TimeZone::current();
    Locale locale = Locale::current();
    if (!cached || cached->timeZone().identifier() != zone.identifier() ||
        cached->locale().identifier() != locale.identifier()) {
        cached = std::make_unique<Calendar>(zone, locale);
    }
    return *cached;
}

Date CalAdditions::dateByMovingToBeginningOfDay(Date date) {
    return currentCalendar().startOfDay(date);
}

Date CalAdditions::dateByMovingToEndOfDay(Date date) {
    return currentCalendar().endOfDay(date);
}

Date CalAdditions::dateByMovingToFirstDayOfTheMonth(Date date) {
    const Calendar& calendar = currentCalendar();
    DateComponents parts = componentsForMonthDayAndYear(date);
    parts.day = 1;
    return calendar.dateFromComponents(parts);
}

Date CalAdditions::dateByMovingToFirstDayOfTheFollowingMonth(Date date) {
    return dateByMovingToFirstDayOfTheMonth(currentCalendar().addingMonths(date, 1));
}

Date CalAdditions::dateByMovingToFirstDayOfThePreviousMonth(Date date) {
    return dateByMovingToFirstDayOfTheMonth(currentCalendar().addingMonths(date, -1));
}

DateComponents CalAdditions::componentsForMonthDayAndYear(Date date) {
    DateComponents all = currentCalendar().components(date);
    DateComponents parts;
    parts.year = all.year;
    parts.month = all.month;
    parts.day = all.day;
    return parts;
}

int CalAdditions::weekday(Date date) {
    const Calendar& calendar = currentCalendar();
    int sundayBased = calendar.components(date).weekday;
    return (sundayBased - calendar.firstWeekday() + 7) % 7 + 1;
}

int CalAdditions::numberOfDaysInMonth(Date date) {
    return currentCalendar().daysInMonth(date);
}

} // namespace florelle
