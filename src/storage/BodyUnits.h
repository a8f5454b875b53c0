#pragma once

namespace florelle {

// The diary keeps weights in kilograms and temperatures in degrees Celsius;
// the imperial setting shows and takes pounds and degrees Fahrenheit. Every
// conversion between the two goes through here, so a weight reads the same
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
};

} // namespace florelle
