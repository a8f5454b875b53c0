// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <cairo.h>
#include <vector>

namespace florelle {

// A set of whole pixels of a picture, such as the part of a frame that
// changed. Rectangles added are widened to the pixels they touch; the set
// keeps no pixel twice.
class PixelRegion {
public:
    PixelRegion();
    explicit PixelRegion(const Rect& pixels);
    PixelRegion(const PixelRegion& other);
    PixelRegion& operator=(const PixelRegion& other);
    ~PixelRegion();

    void add(const Rect& pixels);
    void add(const PixelRegion& other);
    // Keeps only the pixels inside the rectangle.
    void intersect(const Rect& pixels);
    void clear();

    bool isEmpty() const;
    bool contains(const Rect& pixels) const;
    bool intersects(const Rect& pixels) const;
    // The smallest rectangle holding every pixel; empty for an empty set.
    Rect extents() const;
    // The pixels as rectangles that do not overlap.
    std::vector<Rect> rects() const;
    // How many pixels the set holds.
    long long area() const;

    const cairo_region_t* get() const { return region_; }

private:
    cairo_region_t* region_;
};

} // namespace florelle
