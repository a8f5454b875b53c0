// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/BodyMeasure.h"

#include "foundation/Strings.h"

#include <cmath>
#include <cstdlib>

namespace florelle {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Digits with at most one decimal point or comma and at least one digit;
// the locale never decides what a number looks like.
std::optional<double> plainNumber(std::string_view text) {
    std::string normalized;
    bool separator = false;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
            normalized += c;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            normalized += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digit || normalized.size() > 12) {
        return std::nullopt;
    }
    return std::strtod(normalized.c_str(), nullptr);
}

} // namespace

std::string BodyMeasure::unit() const {
    if (kind_ == Kind::weight) {
        return metric_ ? "kg" : "lbs";
    }
    return metric_ ? "\u00B0C" : "\u00B0F";
}

BodyMeasure::Range BodyMeasure::range() const {
    // Wide enough for every adult and child who would keep this diary, narrow
    // enough to catch a slipped digit (725 for 72.5) or the wrong unit.
    if (kind_ == Kind::weight) {
        return metric_ ? Range{20.0, 300.0} : Range{44.0, 660.0};
    }
    return metric_ ? Range{34.0, 43.0} : Range{93.2, 109.4};
}

bool BodyMeasure::isNone(double value) const {
    if (kind_ == Kind::weight) {
        return value < 1;
    }
    return value < (metric_ ? 0.5 : 32.5);
}

BodyMeasure::Entry BodyMeasure::read(std::string_view text) const {
    std::string_view number = trimmed(text);
    if (number.empty()) {
        return {};
    }
    std::optional<double> value = plainNumber(number);
    if (!value) {
        return {std::nullopt, Refusal::notANumber};
    }
    double rounded = roundToTenths(*value);
    Range limits = range();
    if (rounded < limits.lowest || rounded > limits.highest) {
        return {std::nullopt, Refusal::outOfRange};
    }
    return {rounded, Refusal::none};
}

std::string BodyMeasure::formatNumber(double value) const {
    long long tenths = std::llround(value * 10);
    std::string sign = tenths < 0 ? "-" : "";
    tenths = std::llabs(tenths);
    return sign + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string BodyMeasure::format(double value) const {
    if (isNone(value)) {
        return "";
    }
    return formatNumber(value) + " " + unit();
}

std::string BodyMeasure::refusalText(Refusal refusal) const {
    Range limits = range();
    switch (refusal) {
    case Refusal::none:
        return "";
    case Refusal::notANumber:
        return Strings::localizedFormat("Not a number Key", formatNumber(limits.lowest),
                                        formatNumber(limits.highest), unit());
    case Refusal::outOfRange:
        return Strings::localizedFormat("Out of range Key", formatNumber(limits.lowest),
                                        formatNumber(limits.highest), unit());
    }
    return "";
}

double BodyMeasure::roundToTenths(double value) {
    return static_cast<double>(std::llround(value * 10)) / 10;
}

} // namespace florelle
