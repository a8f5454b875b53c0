// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutOfSight.h"

#include "ImageView.h"
#include "View.h"
#include "Window.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace florelle {

namespace {

// What is known of a picture's pixels, kept with them.
const cairo_user_data_key_t opaqueKey{};
char opaqueMark;
char clearMark;

// Whether every pixel of the picture is opaque; looked at once for each
// picture's pixels, which never change.
bool everyPixelOpaque(const Image& image) {
    cairo_surface_t* surface = image.surface();
    if (!surface) {
        return false;
    }
    if (void* known = cairo_surface_get_user_data(surface, &opaqueKey)) {
        return known == &opaqueMark;
    }
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    int width = cairo_image_surface_get_width(surface);
    bool opaque = true;
    for (int y = 0; opaque && y < cairo_image_surface_get_height(surface); ++y) {
        // ARGB32: alpha in the top byte of each native word.
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        opaque =
            std::all_of(row, row + width, [](std::uint32_t pixel) { return pixel >> 24 == 0xff; });
    }
    cairo_surface_set_user_data(surface, &opaqueKey, opaque ? &opaqueMark : &clearMark, nullptr);
    return opaque;
}

// Whether the view's own content covers its bounds with opaque pixels: an
// opaque background colour, or a picture without clear pixels stretched
// over them.
bool isOpaque(const View& view) {
    if (view.backgroundColor().alpha() >= 1) {
        return true;
    }
    const auto* picture = dynamic_cast<const ImageView*>(&view);
    return picture && picture->contentMode() == ContentMode::scaleToFill &&
           everyPixelOpaque(picture->image());
}

// Whether the view, or views in it, cover all of `area` (in its superview's
// coordinates) with opaque pixels.
bool covers(const View& view, const Rect& area) {
    LayerState shown = view.presentationState();
    if (view.isHidden() || shown.opacity < 1 || !shown.transform.isIdentity() ||
        !shown.frame().contains(area)) {
        return false;
    }
    if (isOpaque(view)) {
        return true;
    }
    Rect frame = shown.frame();
    Rect inside =
        area.offsetBy(shown.bounds.minX() - frame.minX(), shown.bounds.minY() - frame.minY());
    const auto& subviews = view.subviews();
    return std::any_of(subviews.rbegin(), subviews.rend(),
                       [&](const auto& subview) { return covers(*subview, inside); });
}

} // namespace

bool isOutOfSight(const View& view, const std::optional<Rect>& shown) {
    // The view and each view it is in, with the shift from its superview's
    // coordinates to the next one up's.
    struct Level {
        const View* view;
        Point shift;
    };
    std::vector<Level> levels;
    // The part of the view that may show, in the current superview's
    // coordinates, then in the window's.
    Rect area = view.presentationFrame();
    for (const View* level = &view; const View* superview = level->superview(); level = superview) {
        if (level->isHidden() || level->presentationAlpha() <= 0) {
            return true;
        }
        LayerState outer = superview->presentationState();
        bool isWindow = dynamic_cast<const Window*>(superview) != nullptr;
        if (superview->clipsToBounds() || isWindow) {
            // Nothing shows beyond a clipping view, nor beyond the window.
            area = area.intersection(outer.bounds);
            if (isWindow && shown) {
                area = area.intersection(*shown);
            }
            if (area.isEmpty()) {
                return true;
            }
        }
        if (!outer.transform.isIdentity()) {
            // Covers are looked for only where rectangles stay rectangles.
            return false;
        }
        Rect frame = outer.frame();
        Point shift{frame.minX() - outer.bounds.minX(), frame.minY() - outer.bounds.minY()};
        levels.push_back({level, shift});
        if (superview->superview()) {
            area = area.offsetBy(shift.x, shift.y);
        }
    }
    // Back down: whatever is in front of a level and covers the part that
    // may show hides the view.
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        if (level != levels.rbegin()) {
            area = area.offsetBy(-level->shift.x, -level->shift.y);
        }
        const auto& siblings = level->view->superview()->subviews();
        auto above = std::find_if(siblings.begin(), siblings.end(), [&](const auto& sibling) {
            return sibling.get() == level->view;
        });
        if (above != siblings.end() &&
            std::any_of(std::next(above), siblings.end(),
                        [&](const auto& sibling) { return covers(*sibling, area); })) {
            return true;
        }
    }
    return false;
}

} // namespace florelle
