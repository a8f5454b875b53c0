// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewLayer.h"

#include "View.h"
#include "graphics/GraphicsContext.h"

namespace florelle {

namespace {

// Versions are unique across views, so that a view made where a removed one
// lived never passes for it.
std::uint64_t nextVersion() {
    static std::uint64_t counter = 0;
    return ++counter;
}

bool settles(const View& view, const LayerContent& content, const Rect& shownBounds,
             double rasterLimit) {
    const Rect& pixels = content.pixelBounds();
    return !content.isRasterized() && shownBounds == view.bounds() &&
           pixels.width() * pixels.height() <= rasterLimit;
}

} // namespace

bool ViewLayer::fits(const View& view, const Rect& shownBounds, double scale,
                     const Rect& limit) const {
    return !view.needsDisplay() && version_ != 0 && scale == scale_ && shownBounds == bounds_ &&
           limit == limit_;
}

const LayerContent& ViewLayer::content(View& view, const Rect& shownBounds, double scale,
                                       const Rect& limit, double rasterLimit) {
    if (!fits(view, shownBounds, scale, limit)) {
        content_ = drawn(view, shownBounds, scale, limit, rasterLimit);
        bounds_ = shownBounds;
        limit_ = limit;
        scale_ = scale;
        version_ = nextVersion();
        view.clearNeedsDisplay();
    } else if (settles(view, content_, shownBounds, rasterLimit)) {
        // A size animation ended on the bounds the content was last drawn for.
        content_.rasterize();
        version_ = nextVersion();
    }
    return content_;
}

LayerContent ViewLayer::drawn(View& view, const Rect& shownBounds, double scale, const Rect& limit,
                              double rasterLimit) {
    LayerContent content =
        LayerContent::record(shownBounds.origin, scale, limit, [&](GraphicsContext& context) {
            view.drawContent(context, shownBounds);
        });
    if (settles(view, content, shownBounds, rasterLimit)) {
        content.rasterize();
    }
    return content;
}

} // namespace florelle
