// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalDate.h"

#include "CalAdditions.h"
#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/NotificationCenter.h"

namespace florelle {

namespace {

struct TodayCache {
    CalDate today = CalDate::dateFromDate(Clock::current()->now());
    NotificationCenter::Observation observation;

    TodayCache() {
        // The centre is made first, so it outlives this observation.
        NotificationCenter& center = NotificationCenter::defaultCenter();
        observation = center.addObserver(NotificationCenter::significantTimeChangeNotification,
                                         [](const Notification&) { CalDate::cacheTodaysDate(); });
    }
};

TodayCache& todayCache() {
    NotificationCenter::defaultCenter();
    static TodayCache cache;
    return cache;
}

} // namespace

CalDate::CalDate(unsigned day, unsigned month, unsigned year)
    : month_(month & 0xFu), day_(day & 0x1Fu), year_(year & 0x7FFFu) {}

CalDate CalDate::dateForDay(unsigned day, unsigned month, unsigned year) {
    return CalDate(day, month, year);
}

CalDate CalDate::dateFromDate(Date date) {
    DateComponents parts = CalAdditions::componentsForMonthDayAndYear(date);
    return CalDate(static_cast<unsigned>(parts.day), static_cast<unsigned>(parts.month),
                   static_cast<unsigned>(parts.year));
}

Date CalDate::date() const {
    DateComponents parts;
    parts.year = static_cast<int>(year_);
    parts.month = static_cast<int>(month_);
    parts.day = static_cast<int>(day_);
    return CalAdditions::currentCalendar().dateFromComponents(parts);
}

bool CalDate::isToday() const {
    return *this == today();
}

CalDate CalDate::today() {
    return todayCache().today;
}

void CalDate::cacheTodaysDate() {
    todayCache().today = dateFromDate(Clock::current()->now());
}

unsigned CalDate::key() const {
    return year_ * 10000u + month_ * 100u + day_;
}

int CalDate::compare(const CalDate& other) const {
    unsigned mine = key();
    unsigned theirs = other.key();
    return mine < theirs ? -1 : (mine > theirs ? 1 : 0);
}

std::strong_ordering CalDate::operator<=>(const CalDate& other) const {
    return key() <=> other.key();
}

bool CalDate::operator==(const CalDate& other) const {
    return key() == other.key();
}

std::string CalDate::description() const {
    return format("%d/%d/%d", month(), day(), year());
}

} // namespace florelle
