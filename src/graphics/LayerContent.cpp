// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayerContent.h"

#include "GraphicsContext.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

// Cairo's coordinates stop being exact far beyond any screen.
constexpr double largestPixelExtent = 1 << 22;

double clampedPixels(double value) {
    return std::clamp(value, -largestPixelExtent, largestPixelExtent);
}

} // namespace

LayerContent LayerContent::record(Point anchor, double scale, const Rect& limit,
                                  const std::function<void(GraphicsContext&)>& draw) {
    LayerContent content;
    Rect area = limit.standardized();
    if (!(scale > 0) || !std::isfinite(scale) || area.isEmpty()) {
        return content;
    }
    double left = clampedPixels(std::floor((area.minX() - anchor.x) * scale));
    double top = clampedPixels(std::floor((area.minY() - anchor.y) * scale));
    double right = clampedPixels(std::ceil((area.maxX() - anchor.x) * scale));
    double bottom = clampedPixels(std::ceil((area.maxY() - anchor.y) * scale));
    cairo_rectangle_t extents{left, top, right - left, bottom - top};
    CairoSurface recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents));
    if (cairo_surface_status(recording.get()) != CAIRO_STATUS_SUCCESS) {
        return content;
    }
    {
        GraphicsContext context(recording, scale);
        context.translate(-anchor.x, -anchor.y);
        draw(context);
    }
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    cairo_recording_surface_ink_extents(recording.get(), &x, &y, &width, &height);
    if (!(width > 0) || !(height > 0)) {
        return content;
    }
    double inkLeft = std::max(std::floor(x), left);
    double inkTop = std::max(std::floor(y), top);
    double inkRight = std::min(std::ceil(x + width), right);
    double inkBottom = std::min(std::ceil(y + height), bottom);
    if (inkRight <= inkLeft || inkBottom <= inkTop) {
        return content;
    }
    content.surface_ = std::move(recording);
    content.pixelBounds_ = Rect(inkLeft, inkTop, inkRight - inkLeft, inkBottom - inkTop);
    return content;
}

void LayerContent::rasterize() {
    if (!surface_ || rasterized_) {
        return;
    }
    CairoSurface pixels(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                                   static_cast<int>(pixelBounds_.width()),
                                                   static_cast<int>(pixelBounds_.height())));
    if (cairo_surface_status(pixels.get()) != CAIRO_STATUS_SUCCESS) {
        // Too large for memory: it keeps being laid down from the recording.
        return;
    }
    {
        CairoContext cairo(cairo_create(pixels.get()));
        cairo_set_source_surface(cairo.get(), surface_.get(), -pixelBounds_.minX(),
                                 -pixelBounds_.minY());
        cairo_paint(cairo.get());
    }
    cairo_surface_flush(pixels.get());
    surface_ = std::move(pixels);
    rasterized_ = true;
}

Point LayerContent::surfaceOrigin() const {
    return rasterized_ ? pixelBounds_.origin : Point{};
}

} // namespace florelle
