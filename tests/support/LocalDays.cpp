// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalDays.h"

#include "foundation/Calendar.h"

#include <algorithm>
#include <cctype>

namespace florelle::testing {

Date localDate(int year, int month, int day, int hour, int minute, int second) {
    return Calendar::current().dateFromComponents({year, month, day, hour, minute, second});
}

int localDay(Date date) {
    auto parts = Calendar::current().components(date);
    return parts.year * 10000 + parts.month * 100 + parts.day;
}

std::vector<int> localDays(const std::vector<Date>& dates) {
    std::vector<int> days;
    for (Date date : dates) {
        days.push_back(localDay(date));
    }
    std::sort(days.begin(), days.end());
    return days;
}

std::vector<int> dayRun(int year, int month, int day, int count) {
    std::vector<int> days;
    for (int i = 0; i < count; ++i) {
        days.push_back(localDay(localDate(year, month, day + i, 12)));
    }
    return days;
}

std::vector<int> joined(std::vector<std::vector<int>> runs) {
    std::vector<int> days;
    for (auto& run : runs) {
        days.insert(days.end(), run.begin(), run.end());
    }
    std::sort(days.begin(), days.end());
    return days;
}

std::string zoneTestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

} // namespace florelle::testing
