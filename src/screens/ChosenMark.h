// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Color.h"
#include "graphics/Image.h"

namespace florelle {

// How a chosen mood or symptom looks on the daily log page: its picture in a
// ring with a tick at the lower right, so that it reads as "on" at a glance
// rather than as switched off.
class ChosenMark {
public:
    static Image over(const Image& picture, const Color& ink);
};

} // namespace florelle
