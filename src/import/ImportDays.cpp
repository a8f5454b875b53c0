// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportDays.h"

#include "foundation/IsoDay.h"

namespace florelle {

namespace {

constexpr int earliestYear = 1900;
constexpr int latestYear = 2100;

DateComponents componentsOf(ImportDay day) {
    std::chrono::year_month_day date(day);
    DateComponents components;
    components.year = static_cast<int>(date.year());
    components.month = static_cast<int>(static_cast<unsigned>(date.month()));
    components.day = static_cast<int>(static_cast<unsigned>(date.day()));
    return components;
}

} // namespace

std::optional<ImportDay> ImportDays::parse(std::string_view text) {
    if (text.size() > 10 && text[10] == 'T') {
        text = text.substr(0, 10);
    }
    auto parts = IsoDay::parse(text);
    if (!parts || parts->year < earliestYear || parts->year > latestYear) {
        return std::nullopt;
    }
    std::chrono::year_month_day date{std::chrono::year(parts->year),
                                     std::chrono::month(static_cast<unsigned>(parts->month)),
                                     std::chrono::day(static_cast<unsigned>(parts->day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return ImportDay(date);
}

std::string ImportDays::format(ImportDay day) {
    return IsoDay::format(componentsOf(day));
}

Date ImportDays::localMidnight(ImportDay day, const Calendar& calendar) {
    return calendar.startOfDay(calendar.dateFromComponents(componentsOf(day)));
}

ImportDay ImportDays::dayOf(Date date, const Calendar& calendar) {
    DateComponents components = calendar.components(date);
    return ImportDay(
        std::chrono::year_month_day{std::chrono::year(components.year),
                                    std::chrono::month(static_cast<unsigned>(components.month)),
                                    std::chrono::day(static_cast<unsigned>(components.day))});
}

} // namespace florelle
