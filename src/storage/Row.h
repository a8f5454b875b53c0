// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace florelle {

// One result row: column name to the text SQLite gives for the column, in the
// order of the result's columns. std::nullopt stands for SQL NULL.
class Row {
public:
    using Value = std::optional<std::string>;

    // Sets a column, replacing an earlier value of the same name.
    void set(std::string_view column, Value value);

    // The column's text; std::nullopt when the column is missing or NULL.
    Value text(std::string_view column) const;
    // The column read as a number; 0 when missing, NULL or not a number.
    long long integer(std::string_view column) const;
    double real(std::string_view column) const;

    bool empty() const { return columns_.empty(); }
    size_t size() const { return columns_.size(); }
    const std::vector<std::pair<std::string, Value>>& columns() const { return columns_; }

    bool operator==(const Row&) const = default;

    // Numbers from stored text the way the rest of the program reads them:
    // leading blanks and a sign allowed, reading stops at the first character
    // that does not fit, no number at all gives 0. Never locale-dependent.
    static long long integerValue(std::string_view text);
    static double doubleValue(std::string_view text);
    static long long integerValue(const Value& value) {
        return value ? integerValue(std::string_view(*value)) : 0;
    }
    static double doubleValue(const Value& value) {
        return value ? doubleValue(std::string_view(*value)) : 0;
    }

private:
    std::vector<std::pair<std::string, Value>> columns_;
};

} // namespace florelle
