// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitmapContext.h"

#include "foundation/Log.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace florelle {

namespace {

int pixelsFor(double points, double scale) {
    double pixels = std::ceil(points * scale - 1e-9);
    if (!std::isfinite(pixels) || pixels < 0) {
        return 0;
    }
    return static_cast<int>(std::min(pixels, 32767.0));
}

CairoSurface makeSurface(Size size, double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) {
        scale = 1;
    }
    return CairoSurface(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, pixelsFor(size.width, scale), pixelsFor(size.height, scale)));
}

} // namespace

BitmapContext::BitmapContext(Size size, double scale)
    : GraphicsContext(makeSurface(size, scale), scale) {}

int BitmapContext::pixelWidth() const {
    return cairo_image_surface_get_width(target());
}

int BitmapContext::pixelHeight() const {
    return cairo_image_surface_get_height(target());
}

Color BitmapContext::pixel(int x, int y) {
    if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) {
        return Color::clear();
    }
    finishMasks();
    const unsigned char* row =
        cairo_image_surface_get_data(target()) + y * cairo_image_surface_get_stride(target());
    std::uint32_t value = reinterpret_cast<const std::uint32_t*>(row)[x];
    double alpha = ((value >> 24) & 0xFF) / 255.0;
    if (alpha == 0) {
        return Color::clear();
    }
    auto component = [&](int shift) { return ((value >> shift) & 0xFF) / 255.0 / alpha; };
    return {component(16), component(8), component(0), alpha};
}

Color BitmapContext::pixelAt(Point point) {
    return pixel(static_cast<int>(std::floor(point.x * pixelScale())),
                 static_cast<int>(std::floor(point.y * pixelScale())));
}

const unsigned char* BitmapContext::data() {
    finishMasks();
    return cairo_image_surface_get_data(target());
}

int BitmapContext::bytesPerRow() const {
    return cairo_image_surface_get_stride(target());
}

Image BitmapContext::image() {
    finishMasks();
    CairoSurface copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth(), pixelHeight()));
    CairoContext cairo(cairo_create(copy.get()));
    cairo_set_source_surface(cairo.get(), target(), 0, 0);
    cairo_set_operator(cairo.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cairo.get());
    cairo_surface_flush(copy.get());
    return Image::fromSurface(std::move(copy), pixelScale());
}

bool BitmapContext::savePng(const std::filesystem::path& path) {
    finishMasks();
    cairo_status_t status = cairo_surface_write_to_png(target(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        Log::write("PNG file \"" + path.string() +
                   "\" cannot be written: " + cairo_status_to_string(status));
        return false;
    }
    return true;
}

} // namespace florelle
