// SPDX-License-Identifier: GPL-3.0-or-later
#include "Format.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace florelle {

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    }
    char buffer[400];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        throw std::invalid_argument("number too large to format");
    }
    return std::string(buffer, result.ptr);
}

namespace {

const FormatArg& nextArg(const std::vector<FormatArg>& args, size_t& index,
                         std::string_view pattern) {
    if (index >= args.size()) {
        throw std::invalid_argument("too few arguments for format \"" + std::string(pattern) +
                                    "\"");
    }
    return args[index++];
}

template <typename T> const T& expect(const FormatArg& arg, std::string_view pattern) {
    if (const T* value = std::get_if<T>(&arg.value())) {
        return *value;
    }
    throw std::invalid_argument("argument type does not match format \"" + std::string(pattern) +
                                "\"");
}

} // namespace

std::string formatWithArgs(std::string_view pattern, const std::vector<FormatArg>& args) {
    std::string out;
    out.reserve(pattern.size() + 16 * args.size());
    size_t argIndex = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%') {
            out += c;
            continue;
        }
        std::string_view rest = pattern.substr(i + 1);
        if (rest.starts_with('%')) {
            out += '%';
            i += 1;
        } else if (rest.starts_with('d')) {
            out += std::to_string(expect<long long>(nextArg(args, argIndex, pattern), pattern));
            i += 1;
        } else if (rest.starts_with('f')) {
            out += formatFixed(expect<double>(nextArg(args, argIndex, pattern), pattern), 6);
            i += 1;
        } else if (rest.starts_with(".0f")) {
            out += formatFixed(expect<double>(nextArg(args, argIndex, pattern), pattern), 0);
            i += 3;
        } else if (rest.starts_with('@') || rest.starts_with('s')) {
            out += expect<std::string_view>(nextArg(args, argIndex, pattern), pattern);
            i += 1;
        } else {
            throw std::invalid_argument("unknown conversion in format \"" + std::string(pattern) +
                                        "\"");
        }
    }
    if (argIndex != args.size()) {
        throw std::invalid_argument("too many arguments for format \"" + std::string(pattern) +
                                    "\"");
    }
    return out;
}

} // namespace florelle
