// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalDay.h"

#include "CliErrors.h"
#include "QuotedInput.h"
#include "foundation/IsoDay.h"

#include <charconv>

namespace florelle::cli {

namespace {

// Every real diary day lies within these years; a date outside them is a slip of the keyboard.
constexpr int firstYear = 1900;
constexpr int lastYear = 2100;

bool readNumber(std::string_view text, int& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

void checkYear(std::string_view text, int year) {
    if (year < firstYear || year > lastYear) {
        throw UsageError(quotedInput(text) + " lies outside the years " +
                         std::to_string(firstYear) + " to " + std::to_string(lastYear));
    }
}

} // namespace

Date LocalDay::parse(std::string_view text, const Calendar& calendar, Date now) {
    if (text == "today") {
        return calendar.startOfDay(now);
    }
    if (text == "yesterday") {
        return calendar.startOfDay(calendar.addingDays(now, -1));
    }
    auto day = IsoDay::parse(text);
    if (!day) {
        throw UsageError(quotedInput(text) +
                         " is not a date; write YYYY-MM-DD, today or yesterday");
    }
    checkYear(text, day->year);
    // Twelve noon finds the day even where midnight is skipped by a clock change.
    day->hour = 12;
    Date noon = calendar.dateFromComponents(*day);
    auto back = calendar.components(noon);
    if (back.year != day->year || back.month != day->month || back.day != day->day) {
        throw UsageError(quotedInput(text) + " is not a day of the calendar");
    }
    return calendar.startOfDay(noon);
}

Date LocalDay::parseTime(std::string_view text, const Calendar& calendar) {
    auto day = text.size() == 16 ? IsoDay::parse(text.substr(0, 10)) : std::nullopt;
    DateComponents moment = day.value_or(DateComponents());
    bool wellFormed = day && text[10] == 'T' && text[13] == ':' &&
                      readNumber(text.substr(11, 2), moment.hour) &&
                      readNumber(text.substr(14, 2), moment.minute);
    if (!wellFormed) {
        throw UsageError(quotedInput(text) + " is not a date and time; write YYYY-MM-DDTHH:MM");
    }
    checkYear(text, moment.year);
    // Out-of-range fields roll over, and a time the clock skips moves: either
    // way the result reads back differently.
    Date date = calendar.dateFromComponents(moment);
    auto back = calendar.components(date);
    if (back.year != moment.year || back.month != moment.month || back.day != moment.day ||
        back.hour != moment.hour || back.minute != moment.minute) {
        throw UsageError(quotedInput(text) + " is not a time of the local calendar");
    }
    return date;
}

std::string LocalDay::format(Date date, const Calendar& calendar) {
    return IsoDay::format(date, calendar);
}

} // namespace florelle::cli
