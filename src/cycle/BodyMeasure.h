// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// Weight and temperature as the user reads and types them: in kilograms and
// degrees Celsius when the unit setting is metric, else in pounds and degrees
// Fahrenheit. The store keeps metric values and converts; this class holds
// what is shown and what is accepted, to one decimal.
class BodyMeasure {
public:
    enum class Kind { weight, temperature };

    // Why typed text was refused.
    enum class Refusal { none, notANumber, outOfRange };

    struct Range {
        double lowest;
        double highest;
    };

    // The outcome of reading typed text: a value rounded to tenths, nothing
    // at all (the field was emptied: the day's value is cleared), or a refusal.
    struct Entry {
        std::optional<double> value;
        Refusal refusal = Refusal::none;
        bool accepted() const { return refusal == Refusal::none; }
    };

    BodyMeasure(Kind kind, bool metric) : kind_(kind), metric_(metric) {}

    Kind kind() const { return kind_; }
    bool isMetric() const { return metric_; }

    // "kg", "lbs", "°C" or "°F".
    std::string unit() const;
    // The values a person can plausibly have, in the display unit.
    Range range() const;
    // A stored value that stands for "nothing logged".
    bool isNone(double value) const;

    // Reads text such as "72.5", " 72,5 " or "98": a decimal point or comma,
    // blanks around the number; anything else is not a number. The value is
    // rounded to tenths before the range is checked.
    Entry read(std::string_view text) const;
    // The value rounded once to tenths with its unit, "72.5 kg"; "" for none.
    std::string format(double value) const;
    // The value rounded once to tenths without unit, for the entry field.
    std::string formatNumber(double value) const;
    // The sentence that explains a refusal, with the accepted range.
    std::string refusalText(Refusal refusal) const;

    static double roundToTenths(double value);

private:
    Kind kind_;
    bool metric_;
};

} // namespace florelle
