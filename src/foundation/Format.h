// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace florelle {

// printf-style formatting that never depends on the user's locale: numbers
// always come out with a dot and without grouping, so SQL texts and log lines
// are the same under every locale.
//
// Conversions: %d (integer), %f (six decimals), %.0f (rounded to a whole
// number), %@ and %s (text), %% (a percent sign). A conversion that does not
// match its argument, or a count mismatch, throws std::invalid_argument: that
// is a programming error, never a user's.
class FormatArg {
public:
    template <std::integral T> FormatArg(T value) : value_(static_cast<long long>(value)) {}
    FormatArg(double value) : value_(value) {}
    FormatArg(std::string_view value) : value_(value) {}
    FormatArg(const std::string& value) : value_(std::string_view(value)) {}
    FormatArg(const char* value) : value_(std::string_view(value)) {}

    const std::variant<long long, double, std::string_view>& value() const { return value_; }

private:
    std::variant<long long, double, std::string_view> value_;
};

std::string formatWithArgs(std::string_view pattern, const std::vector<FormatArg>& args);

template <typename... Args> std::string format(std::string_view pattern, const Args&... args) {
    return formatWithArgs(pattern, std::vector<FormatArg>{FormatArg(args)...});
}

// The number as "%f" / "%.0f" would write it, in the C locale.
std::string formatFixed(double value, int decimals);

} // namespace florelle
