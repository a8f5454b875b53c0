// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/CairoHandles.h"

#include <functional>

namespace florelle {

class GraphicsContext;

// What one view drew, kept so that it can be laid down again (moved, faded,
// turned) without drawing it again. It lives on a grid of `scale` pixels a
// point whose origin is the anchor point it was drawn with, and covers only
// the pixels drawn on. It starts as the recorded drawing, which lays down
// sharp at any transform; rasterize() turns it into pixels, which lay down
// much faster and exactly where the grid meets the target's pixels.
class LayerContent {
public:
    LayerContent() = default;

    // Records what `draw` draws in its own coordinates (points), keeping
    // nothing outside `limit`. Drawing that touches no pixel gives an empty
    // content.
    static LayerContent record(Point anchor, double scale, const Rect& limit,
                               const std::function<void(GraphicsContext&)>& draw);

    bool isEmpty() const { return !surface_; }
    // The pixels drawn on, whole, on the grid (the anchor at 0, 0).
    const Rect& pixelBounds() const { return pixelBounds_; }

    // Replaces the recording by its pixels.
    void rasterize();
    bool isRasterized() const { return rasterized_; }

    // The recording (in grid pixels) or the pixels (their first one at
    // pixelBounds().origin), for the context that lays it down.
    cairo_surface_t* surface() const { return surface_.get(); }
    Point surfaceOrigin() const;

private:
    CairoSurface surface_;
    Rect pixelBounds_;
    bool rasterized_ = false;
};

} // namespace florelle
