// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace florelle::testing {

// Local calendar days of the current time zone, written as numbers
// yyyymmdd so that failures read as dates.
Date localDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
int localDay(Date date);
// The local days of the dates, sorted, duplicates kept.
std::vector<int> localDays(const std::vector<Date>& dates);
// `count` consecutive local days from the given one.
std::vector<int> dayRun(int year, int month, int day, int count);
// Runs joined and sorted.
std::vector<int> joined(std::vector<std::vector<int>> runs);

// The zones every day rule is checked in: UTC, UTC+2, UTC-5 and one with
// daylight saving (Central European, changing on 29 March and 25 October
// 2026).
inline const std::vector<std::string> dayRuleZones = {"UTC", "Etc/GMT-2", "Etc/GMT+5",
                                                      "Europe/Berlin"};

// A test name part for a zone of dayRuleZones ("Etc/GMT+5" → "Etc_GMT_5").
std::string zoneTestName(const ::testing::TestParamInfo<std::string>& info);

} // namespace florelle::testing
