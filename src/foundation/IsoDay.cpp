// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/IsoDay.h"

#include <cstdio>

namespace florelle {

namespace {

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

std::optional<DateComponents> IsoDay::parse(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    auto year = digits(text.substr(0, 4));
    auto month = digits(text.substr(5, 2));
    auto day = digits(text.substr(8, 2));
    if (!year || !month || !day) {
        return std::nullopt;
    }
    DateComponents parts;
    parts.year = *year;
    parts.month = *month;
    parts.day = *day;
    return parts;
}

std::string IsoDay::format(const DateComponents& parts) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
    return text;
}

std::string IsoDay::format(Date date, const Calendar& calendar) {
    return format(calendar.components(date));
}

} // namespace florelle
