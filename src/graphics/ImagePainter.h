// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/CairoHandles.h"
#include "graphics/Image.h"

namespace florelle {

// Puts a picture's pixels on a Cairo context: turned by its orientation,
// stretched with its caps kept, or repeated.
class ImagePainter {
public:
    // Draws the picture stretched into rect; the caps of a stretchable
    // picture keep their size (they shrink only when rect is smaller).
    static void draw(cairo_t* cairo, const Image& image, Rect rect, double alpha);
    // Fills area with copies of the picture at its size, the first one at
    // area's top-left corner.
    static void drawTiled(cairo_t* cairo, const Image& image, Rect area, double alpha);
    // A source that shows the picture at its size with its top-left corner at
    // origin, repeated in every direction.
    static CairoPattern repeatingPattern(const Image& image, Point origin);
    // A source that shows the picture stretched into rect (caps ignored) and
    // nothing outside it.
    static CairoPattern stretchedPattern(const Image& image, Rect rect);

private:
    // Draws the part `region` (points of the picture as shown) into dest.
    static void drawRegion(cairo_t* cairo, const Image& image, Rect region, Rect dest,
                           double alpha);
    static CairoPattern pattern(cairo_surface_t* surface, int pixelWidth, int pixelHeight,
                                ImageOrientation orientation, Rect placement);
};

} // namespace florelle
