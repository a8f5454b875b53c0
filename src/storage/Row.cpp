// SPDX-License-Identifier: GPL-3.0-or-later
#include "Row.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace florelle {

namespace {

std::string_view trimmedForNumber(std::string_view text) {
    auto first = text.find_first_not_of(" \t\n\r\f\v");
    if (first == std::string_view::npos) {
        return {};
    }
    text.remove_prefix(first);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    return text;
}

} // namespace

void Row::set(std::string_view column, Value value) {
    auto existing = std::find_if(columns_.begin(), columns_.end(),
                                 [&](const auto& entry) { return entry.first == column; });
    if (existing != columns_.end()) {
        existing->second = std::move(value);
    } else {
        columns_.emplace_back(std::string(column), std::move(value));
    }
}

Row::Value Row::text(std::string_view column) const {
    for (const auto& [name, value] : columns_) {
        if (name == column) {
            return value;
        }
    }
    return std::nullopt;
}

long long Row::integer(std::string_view column) const {
    return integerValue(text(column));
}

double Row::real(std::string_view column) const {
    return doubleValue(text(column));
}

long long Row::integerValue(std::string_view text) {
    text = trimmedForNumber(text);
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return text.starts_with('-') ? std::numeric_limits<long long>::min()
                                     : std::numeric_limits<long long>::max();
    }
    return error == std::errc() ? value : 0;
}

double Row::doubleValue(std::string_view text) {
    text = trimmedForNumber(text);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

} // namespace florelle
