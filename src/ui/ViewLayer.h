// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/LayerContent.h"

#include <cstdint>

namespace florelle {

class View;

// The picture a view keeps of its own drawing: its background colour and
// draw(), without its subviews. Moving, fading and turning the view lay the
// same picture down again; the view draws again only after it asked for
// display (setNeedsDisplay), when it is shown with other bounds (a size
// animation, unless the view stretches its content) or at another pixel
// scale, or when it is kept within another limit.
class ViewLayer {
public:
    // Whether what is kept serves for the view shown with these bounds.
    bool fits(const View& view, const Rect& shownBounds, double scale, const Rect& limit) const;
    // The content for the view shown with `shownBounds`, drawn now unless
    // what is kept fits.
    const LayerContent& content(View& view, const Rect& shownBounds, double scale,
                                const Rect& limit, double rasterLimit);
    // Changes each time the content changes.
    std::uint64_t version() const { return version_; }

    // The content drawn now, without keeping it. Content for the view's own
    // bounds becomes pixels when it covers at most `rasterLimit` of them;
    // content for other bounds stays a recording, sharp wherever the
    // animation takes it.
    static LayerContent drawn(View& view, const Rect& shownBounds, double scale, const Rect& limit,
                              double rasterLimit);

private:
    LayerContent content_;
    Rect bounds_;
    Rect limit_;
    double scale_ = 0;
    std::uint64_t version_ = 0;
};

} // namespace florelle
