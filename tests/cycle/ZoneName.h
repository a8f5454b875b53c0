#pragma once

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>

// A test name part for a time zone identifier ("Etc/GMT+5" → "Etc_GMT_5").
inline std::string zoneName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}
