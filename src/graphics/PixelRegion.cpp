// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelRegion.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace florelle {

namespace {

int clampedPixel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(
        std::clamp(value, static_cast<double>(INT_MIN / 4), static_cast<double>(INT_MAX / 4)));
}

// The whole pixels a rectangle touches; a rectangle without area touches none.
cairo_rectangle_int_t pixelBox(const Rect& rect) {
    Rect box = rect.standardized();
    if (box.isEmpty()) {
        return {0, 0, 0, 0};
    }
    int left = clampedPixel(std::floor(box.minX()));
    int top = clampedPixel(std::floor(box.minY()));
    int right = clampedPixel(std::ceil(box.maxX()));
    int bottom = clampedPixel(std::ceil(box.maxY()));
    return {left, top, right - left, bottom - top};
}

Rect toRect(const cairo_rectangle_int_t& box) {
    return {static_cast<double>(box.x), static_cast<double>(box.y), static_cast<double>(box.width),
            static_cast<double>(box.height)};
}

} // namespace

PixelRegion::PixelRegion() : region_(cairo_region_create()) {}

PixelRegion::PixelRegion(const Rect& pixels) : PixelRegion() {
    add(pixels);
}

PixelRegion::PixelRegion(const PixelRegion& other) : region_(cairo_region_copy(other.region_)) {}

PixelRegion& PixelRegion::operator=(const PixelRegion& other) {
    if (this != &other) {
        cairo_region_t* copy = cairo_region_copy(other.region_);
        cairo_region_destroy(region_);
        region_ = copy;
    }
    return *this;
}

PixelRegion::~PixelRegion() {
    cairo_region_destroy(region_);
}

void PixelRegion::add(const Rect& pixels) {
    cairo_rectangle_int_t box = pixelBox(pixels);
    if (box.width > 0 && box.height > 0) {
        cairo_region_union_rectangle(region_, &box);
    }
}

void PixelRegion::add(const PixelRegion& other) {
    cairo_region_union(region_, other.region_);
}

void PixelRegion::intersect(const Rect& pixels) {
    cairo_rectangle_int_t box = pixelBox(pixels);
    cairo_region_intersect_rectangle(region_, &box);
}

void PixelRegion::clear() {
    cairo_region_t* empty = cairo_region_create();
    cairo_region_destroy(region_);
    region_ = empty;
}

bool PixelRegion::isEmpty() const {
    return cairo_region_is_empty(region_);
}

bool PixelRegion::contains(const Rect& pixels) const {
    cairo_rectangle_int_t box = pixelBox(pixels);
    return box.width <= 0 || box.height <= 0 ||
           cairo_region_contains_rectangle(region_, &box) == CAIRO_REGION_OVERLAP_IN;
}

bool PixelRegion::intersects(const Rect& pixels) const {
    cairo_rectangle_int_t box = pixelBox(pixels);
    return box.width > 0 && box.height > 0 &&
           cairo_region_contains_rectangle(region_, &box) != CAIRO_REGION_OVERLAP_OUT;
}

Rect PixelRegion::extents() const {
    cairo_rectangle_int_t box;
    cairo_region_get_extents(region_, &box);
    return toRect(box);
}

std::vector<Rect> PixelRegion::rects() const {
    std::vector<Rect> result;
    int count = cairo_region_num_rectangles(region_);
    result.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        cairo_rectangle_int_t box;
        cairo_region_get_rectangle(region_, index, &box);
        result.push_back(toRect(box));
    }
    return result;
}

long long PixelRegion::area() const {
    long long total = 0;
    for (const Rect& rect : rects()) {
        total += static_cast<long long>(rect.width()) * static_cast<long long>(rect.height());
    }
    return total;
}

} // namespace florelle
