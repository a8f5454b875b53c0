// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportDays.h"

#include <cstdio>

namespace florelle {

namespace {

constexpr int earliestYear = 1900;
constexpr int latestYear = 2100;

std::optional<int> digits(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<ImportDay> ImportDays::parse(std::string_view text) {
    if (text.size() > 10 && text[10] == 'T') {
        text = text.substr(0, 10);
    }
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    auto year = digits(text.substr(0, 4));
    auto month = digits(text.substr(5, 2));
    auto day = digits(text.substr(8, 2));
    if (!year || !month || !day || *year < earliestYear || *year > latestYear) {
        return std::nullopt;
    }
    std::chrono::year_month_day date{std::chrono::year(*year),
                                     std::chrono::month(static_cast<unsigned>(*month)),
                                     std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return ImportDay(date);
}

std::string ImportDays::format(ImportDay day) {
    std::chrono::year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

Date ImportDays::localMidnight(ImportDay day, const Calendar& calendar) {
    std::chrono::year_month_day date(day);
    DateComponents components;
    components.year = static_cast<int>(date.year());
    components.month = static_cast<int>(static_cast<unsigned>(date.month()));
    components.day = static_cast<int>(static_cast<unsigned>(date.day()));
    return calendar.startOfDay(calendar.dateFromComponents(components));
}

ImportDay ImportDays::dayOf(Date date, const Calendar& calendar) {
    DateComponents components = calendar.components(date);
    return ImportDay(
        std::chrono::year_month_day{std::chrono::year(components.year),
                                    std::chrono::month(static_cast<unsigned>(components.month)),
                                    std::chrono::day(static_cast<unsigned>(components.day))});
}

} // namespace florelle
