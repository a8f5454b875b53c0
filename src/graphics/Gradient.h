// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Color.h"

#include <vector>

namespace florelle {

// A colour at a place along a gradient, from 0 (start) to 1 (end).
struct GradientStop {
    double location = 0;
    Color color;
};

// Colours that blend into each other between stops; plain colours only.
struct Gradient {
    std::vector<GradientStop> stops;
};

} // namespace florelle
