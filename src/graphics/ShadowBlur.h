// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/CairoHandles.h"

namespace florelle {

// The soft shape of a shadow: the alpha of drawn content, blurred.
class ShadowBlur {
public:
    // content is in device pixels; deviceBounds holds everything it covers.
    // Returns an alpha-only surface and, in origin, where its top-left corner
    // belongs in device pixels. The blur is close to a Gaussian of deviation sigma.
    static CairoSurface blurredAlpha(cairo_pattern_t* content, Rect deviceBounds, double sigma,
                                     Point& origin);
};

} // namespace florelle
