// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace florelle {

// One parameter of a statement. User text reaches SQL only this way, never
// pasted into the statement's text.
class SqlValue {
public:
    SqlValue(std::nullptr_t) {}
    SqlValue(int number) : value_(static_cast<long long>(number)) {}
    SqlValue(long long number) : value_(number) {}
    SqlValue(double number) : value_(number) {}
    SqlValue(std::string_view text) : value_(std::string(text)) {}
    SqlValue(const char* text) : value_(std::string(text)) {}
    SqlValue(std::string text) : value_(std::move(text)) {}

    const std::variant<std::monostate, long long, double, std::string>& value() const {
        return value_;
    }

private:
    std::variant<std::monostate, long long, double, std::string> value_;
};

using SqlParams = std::vector<SqlValue>;

} // namespace florelle
