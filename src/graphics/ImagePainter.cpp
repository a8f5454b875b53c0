// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagePainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace florelle {

namespace {

// Maps the stored picture's unit square onto the shown picture's unit square.
cairo_matrix_t orientationMatrix(ImageOrientation orientation) {
    cairo_matrix_t matrix;
    switch (orientation) {
    case ImageOrientation::Up:
        cairo_matrix_init(&matrix, 1, 0, 0, 1, 0, 0);
        break;
    case ImageOrientation::Down:
        cairo_matrix_init(&matrix, -1, 0, 0, -1, 1, 1);
        break;
    case ImageOrientation::Left:
        cairo_matrix_init(&matrix, 0, -1, 1, 0, 0, 1);
        break;
    case ImageOrientation::Right:
        cairo_matrix_init(&matrix, 0, 1, -1, 0, 1, 0);
        break;
    case ImageOrientation::UpMirrored:
        cairo_matrix_init(&matrix, -1, 0, 0, 1, 1, 0);
        break;
    case ImageOrientation::DownMirrored:
        cairo_matrix_init(&matrix, 1, 0, 0, -1, 0, 1);
        break;
    case ImageOrientation::LeftMirrored:
        cairo_matrix_init(&matrix, 0, 1, 1, 0, 0, 0);
        break;
    case ImageOrientation::RightMirrored:
        cairo_matrix_init(&matrix, 0, -1, -1, 0, 1, 1);
        break;
    }
    return matrix;
}

// One piece of an axis: picture points [source, source + sourceLength) land on
// [dest, dest + destLength).
struct Segment {
    double source;
    double sourceLength;
    double dest;
    double destLength;
};

std::vector<Segment> segments(double extent, double cap, double destStart, double destLength) {
    if (cap <= 0) {
        return {{0, extent, destStart, destLength}};
    }
    double left = std::min(cap, extent);
    double middle = std::min(1.0, extent - left);
    double right = extent - left - middle;
    double fixed = left + right;
    double shrink = destLength < fixed && fixed > 0 ? destLength / fixed : 1;
    double stretched = std::max(0.0, destLength - fixed);
    std::vector<Segment> result{
        {0, left, destStart, left * shrink},
        {left, middle, destStart + left * shrink, stretched},
        {left + middle, right, destStart + left * shrink + stretched, right * shrink},
    };
    std::erase_if(result, [](const Segment& segment) {
        return segment.sourceLength <= 0 || segment.destLength <= 0;
    });
    return result;
}

void fill(cairo_t* cairo, const CairoPattern& pattern, Rect area, double alpha) {
    cairo_save(cairo);
    cairo_new_path(cairo);
    cairo_set_source(cairo, pattern.get());
    cairo_rectangle(cairo, area.minX(), area.minY(), area.width(), area.height());
    if (alpha >= 1) {
        cairo_fill(cairo);
    } else {
        cairo_clip(cairo);
        cairo_paint_with_alpha(cairo, std::max(alpha, 0.0));
    }
    cairo_restore(cairo);
}

} // namespace

CairoPattern ImagePainter::pattern(cairo_surface_t* surface, int pixelWidth, int pixelHeight,
                                   ImageOrientation orientation, Rect placement) {
    cairo_matrix_t forward;
    cairo_matrix_init_scale(&forward, 1.0 / pixelWidth, 1.0 / pixelHeight);
    cairo_matrix_t turn = orientationMatrix(orientation);
    cairo_matrix_multiply(&forward, &forward, &turn);
    cairo_matrix_t place;
    cairo_matrix_init(&place, placement.width(), 0, 0, placement.height(), placement.minX(),
                      placement.minY());
    cairo_matrix_multiply(&forward, &forward, &place);
    CairoPattern pattern(cairo_pattern_create_for_surface(surface));
    if (cairo_matrix_invert(&forward) != CAIRO_STATUS_SUCCESS) {
        return {};
    }
    cairo_pattern_set_matrix(pattern.get(), &forward);
    return pattern;
}

void ImagePainter::drawRegion(cairo_t* cairo, const Image& image, Rect region, Rect dest,
                              double alpha) {
    Size shown = image.size();
    // The region's corners in the stored picture's unit square.
    cairo_matrix_t toStored = orientationMatrix(image.orientation());
    cairo_matrix_invert(&toStored);
    double x0 = region.minX() / shown.width;
    double y0 = region.minY() / shown.height;
    double x1 = region.maxX() / shown.width;
    double y1 = region.maxY() / shown.height;
    cairo_matrix_transform_point(&toStored, &x0, &y0);
    cairo_matrix_transform_point(&toStored, &x1, &y1);
    int width = image.pixelWidth();
    int height = image.pixelHeight();
    int left = std::clamp<int>(std::lround(std::min(x0, x1) * width), 0, width);
    int right = std::clamp<int>(std::lround(std::max(x0, x1) * width), 0, width);
    int top = std::clamp<int>(std::lround(std::min(y0, y1) * height), 0, height);
    int bottom = std::clamp<int>(std::lround(std::max(y0, y1) * height), 0, height);
    if (right <= left || bottom <= top) {
        return;
    }
    bool whole = left == 0 && top == 0 && right == width && bottom == height;
    // A piece of its own, so that smoothing never pulls in pixels of a neighbouring piece.
    CairoSurface piece(whole ? cairo_surface_reference(image.surface())
                             : cairo_surface_create_for_rectangle(image.surface(), left, top,
                                                                  right - left, bottom - top));
    CairoPattern source =
        pattern(piece.get(), right - left, bottom - top, image.orientation(), dest);
    if (!source) {
        return;
    }
    cairo_pattern_set_extend(source.get(), CAIRO_EXTEND_PAD);
    fill(cairo, source, dest, alpha);
}

void ImagePainter::draw(cairo_t* cairo, const Image& image, Rect rect, double alpha) {
    if (image.isEmpty() || rect.isEmpty()) {
        return;
    }
    Size shown = image.size();
    auto columns = segments(shown.width, image.leftCapWidth(), rect.minX(), rect.width());
    auto rows = segments(shown.height, image.topCapHeight(), rect.minY(), rect.height());
    for (const auto& row : rows) {
        for (const auto& column : columns) {
            drawRegion(cairo, image,
                       {{column.source, row.source}, {column.sourceLength, row.sourceLength}},
                       {{column.dest, row.dest}, {column.destLength, row.destLength}}, alpha);
        }
    }
}

void ImagePainter::drawTiled(cairo_t* cairo, const Image& image, Rect area, double alpha) {
    if (image.isEmpty() || area.isEmpty()) {
        return;
    }
    CairoPattern source = repeatingPattern(image, {area.minX(), area.minY()});
    if (source) {
        fill(cairo, source, area, alpha);
    }
}

CairoPattern ImagePainter::repeatingPattern(const Image& image, Point origin) {
    if (image.isEmpty()) {
        return {};
    }
    CairoPattern source = pattern(image.surface(), image.pixelWidth(), image.pixelHeight(),
                                  image.orientation(), {origin, image.size()});
    if (source) {
        cairo_pattern_set_extend(source.get(), CAIRO_EXTEND_REPEAT);
    }
    return source;
}

CairoPattern ImagePainter::stretchedPattern(const Image& image, Rect rect) {
    if (image.isEmpty() || rect.isEmpty()) {
        return {};
    }
    return pattern(image.surface(), image.pixelWidth(), image.pixelHeight(), image.orientation(),
                   rect);
}

} // namespace florelle
