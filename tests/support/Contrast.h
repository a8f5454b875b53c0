// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

namespace florelle::testing {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// Relative luminance and contrast ratio as the web accessibility guidelines
// define them.
inline double luminance(Rgb c) {
    auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

inline double contrast(Rgb a, Rgb b) {
    double la = luminance(a);
    double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace florelle::testing
