// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// The diary keeps weights in kilograms and temperatures in degrees Celsius;
// the imperial setting shows and takes pounds and degrees Fahrenheit. Every
// conversion between the two goes through here, so a value reads the same
// on every page.
class BodyUnits {
public:
    // The pound's definition, exact.
    static constexpr double kilogramsPerPound = 0.45359237;

    static constexpr double shownWeight(double kilograms, bool metric) {
        return metric ? kilograms : kilograms / kilogramsPerPound;
    }
    static constexpr double storedWeight(double shown, bool metric) {
        return metric ? shown : shown * kilogramsPerPound;
    }
    // 0 is "nothing logged" in either unit, never 0 °F or 32 °F.
    static constexpr double shownTemperature(double celsius, bool metric) {
        return metric || celsius == 0 ? celsius : celsius * 1.8 + 32;
    }
    static constexpr double storedTemperature(double shown, bool metric) {
        return metric || shown == 0 ? shown : (shown - 32) / 1.8;
    }
};

} // namespace florelle
