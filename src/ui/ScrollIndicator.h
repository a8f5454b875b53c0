// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "View.h"

namespace florelle {

// The thin rounded bar at a scroll view's edge that shows which part of the
// content is on screen. It takes no touches.
class ScrollIndicator : public View {
public:
    static constexpr double thickness = 7;

    ScrollIndicator();
    void draw(GraphicsContext& context, const Rect& dirty) override;
};

} // namespace florelle
