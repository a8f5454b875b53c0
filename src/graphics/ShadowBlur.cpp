// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShadowBlur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace florelle {

namespace {

// One pass of a box blur of the given width over `count` samples `step` apart.
void boxBlur(std::uint8_t* samples, int count, int step, int width, std::vector<int>& scratch) {
    scratch.assign(static_cast<std::size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        scratch[i] = samples[i * step];
    }
    int before = width / 2;
    int after = width - before - 1;
    int sum = 0;
    for (int i = 0; i <= std::min(after, count - 1); ++i) {
        sum += scratch[i];
    }
    for (int i = 0; i < count; ++i) {
        samples[i * step] = static_cast<std::uint8_t>((sum + width / 2) / width);
        int entering = i + after + 1;
        int leaving = i - before;
        if (entering < count) {
            sum += scratch[entering];
        }
        if (leaving >= 0) {
            sum -= scratch[leaving];
        }
    }
}

} // namespace

CairoSurface ShadowBlur::blurredAlpha(cairo_pattern_t* content, Rect deviceBounds, double sigma,
                                      Point& origin) {
    // Three box passes of this width come close to the Gaussian.
    int width = std::max(1, static_cast<int>(std::lround(std::sqrt(4 * sigma * sigma + 1))));
    int margin = 3 * (width / 2 + 1);
    int left = static_cast<int>(std::floor(deviceBounds.minX())) - margin;
    int top = static_cast<int>(std::floor(deviceBounds.minY())) - margin;
    int pixelsWide = static_cast<int>(std::ceil(deviceBounds.maxX())) + margin - left;
    int pixelsHigh = static_cast<int>(std::ceil(deviceBounds.maxY())) + margin - top;
    origin = {static_cast<double>(left), static_cast<double>(top)};
    CairoSurface alpha(cairo_image_surface_create(CAIRO_FORMAT_A8, std::clamp(pixelsWide, 1, 32767),
                                                  std::clamp(pixelsHigh, 1, 32767)));
    {
        CairoContext cairo(cairo_create(alpha.get()));
        cairo_translate(cairo.get(), -left, -top);
        cairo_set_source(cairo.get(), content);
        cairo_paint(cairo.get());
    }
    cairo_surface_flush(alpha.get());
    std::uint8_t* data = cairo_image_surface_get_data(alpha.get());
    int stride = cairo_image_surface_get_stride(alpha.get());
    int columns = cairo_image_surface_get_width(alpha.get());
    int rows = cairo_image_surface_get_height(alpha.get());
    std::vector<int> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < rows; ++y) {
            boxBlur(data + y * stride, columns, 1, width, scratch);
        }
        for (int x = 0; x < columns; ++x) {
            boxBlur(data + x, rows, stride, width, scratch);
        }
    }
    cairo_surface_mark_dirty(alpha.get());
    return alpha;
}

} // namespace florelle
