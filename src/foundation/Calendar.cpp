// SPDX-License-Identifier: GPL-3.0-or-later
#include "Calendar.h"

#include <stdexcept>
#include <unicode/gregocal.h>
#include <unicode/timezone.h>

namespace florelle {

namespace {

std::unique_ptr<icu::Calendar> makeCalendar(const TimeZone& zone, const Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    auto* icuZone = icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zone.identifier()));
    std::unique_ptr<icu::Calendar> calendar(
        new icu::GregorianCalendar(icuZone, icu::Locale(locale.identifier().c_str()), status));
    if (U_FAILURE(status)) {
        throw std::runtime_error("cannot create a calendar for " + zone.identifier());
    }
    // Proleptic Gregorian: no Julian switch in 1582.
    static_cast<icu::GregorianCalendar*>(calendar.get())->setGregorianChange(-1e300, status);
    return calendar;
}

void check(UErrorCode status) {
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("calendar arithmetic failed: ") + u_errorName(status));
    }
}

} // namespace

Calendar::Calendar(const TimeZone& zone) : Calendar(zone, Locale::current()) {}

Calendar::Calendar(const TimeZone& zone, const Locale& locale)
    : zone_(zone), locale_(locale), calendar_(makeCalendar(zone, locale)) {}

Calendar::Calendar(const Calendar& other)
    : zone_(other.zone_), locale_(other.locale_), calendar_(other.calendar_->clone()) {}

Calendar& Calendar::operator=(const Calendar& other) {
    if (this != &other) {
        zone_ = other.zone_;
        locale_ = other.locale_;
        calendar_.reset(other.calendar_->clone());
    }
    return *this;
}

Calendar::~Calendar() = default;

Calendar Calendar::current() {
    return Calendar(TimeZone::current(), Locale::current());
}

int Calendar::firstWeekday() const {
    UErrorCode status = U_ZERO_ERROR;
    int weekday = calendar_->getFirstDayOfWeek(status);
    check(status);
    return weekday;
}

DateComponents Calendar::components(Date date) const {
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime(date.timeIntervalSince1970() * 1000.0, status);
    DateComponents parts;
    parts.year = calendar_->get(UCAL_EXTENDED_YEAR, status);
    parts.month = calendar_->get(UCAL_MONTH, status) + 1;
    parts.day = calendar_->get(UCAL_DATE, status);
    parts.hour = calendar_->get(UCAL_HOUR_OF_DAY, status);
    parts.minute = calendar_->get(UCAL_MINUTE, status);
    parts.second = calendar_->get(UCAL_SECOND, status);
    parts.weekday = calendar_->get(UCAL_DAY_OF_WEEK, status);
    check(status);
    return parts;
}

Date Calendar::dateFromComponents(const DateComponents& parts) const {
    UErrorCode status = U_ZERO_ERROR;
    calendar_->clear();
    calendar_->set(UCAL_EXTENDED_YEAR, parts.year);
    calendar_->set(UCAL_MONTH, parts.month - 1);
    calendar_->set(UCAL_DATE, parts.day);
    calendar_->set(UCAL_HOUR_OF_DAY, parts.hour);
    calendar_->set(UCAL_MINUTE, parts.minute);
    calendar_->set(UCAL_SECOND, parts.second);
    double millis = calendar_->getTime(status);
    check(status);
    return Date(millis / 1000.0);
}

Date Calendar::startOfDay(Date date) const {
    DateComponents parts = components(date);
    parts.hour = parts.minute = parts.second = 0;
    return dateFromComponents(parts);
}

Date Calendar::endOfDay(Date date) const {
    DateComponents parts = components(date);
    parts.hour = 23;
    parts.minute = 59;
    parts.second = 59;
    return dateFromComponents(parts);
}

Date Calendar::addingDays(Date date, int days) const {
    return adding(date, UCAL_DATE, days);
}

Date Calendar::addingMonths(Date date, int months) const {
    return adding(date, UCAL_MONTH, months);
}

Date Calendar::adding(Date date, int field, int amount) const {
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime(date.timeIntervalSince1970() * 1000.0, status);
    calendar_->add(static_cast<UCalendarDateFields>(field), amount, status);
    double millis = calendar_->getTime(status);
    check(status);
    return Date(millis / 1000.0);
}

int Calendar::daysFrom(Date from, Date to) const {
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime(from.timeIntervalSince1970() * 1000.0, status);
    int fromDay = calendar_->get(UCAL_JULIAN_DAY, status);
    calendar_->setTime(to.timeIntervalSince1970() * 1000.0, status);
    int toDay = calendar_->get(UCAL_JULIAN_DAY, status);
    check(status);
    return toDay - fromDay;
}

int Calendar::daysInMonth(Date date) const {
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime(date.timeIntervalSince1970() * 1000.0, status);
    int days = calendar_->getActualMaximum(UCAL_DATE, status);
    check(status);
    return days;
}

int Calendar::secondsFromGMT(Date date) const {
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    calendar_->getTimeZone().getOffset(date.timeIntervalSince1970() * 1000.0, false, raw, dst,
                                       status);
    check(status);
    return (raw + dst) / 1000;
}

} // namespace florelle
