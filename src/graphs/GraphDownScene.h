// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/GraphBasicView.h"

namespace florelle {

// The icon strip: each item's icon (imageNameOver), 28 points square, beside
// its bar, turned to stand with the bars.
class GraphDownScene : public GraphBasicView {
public:
    using GraphBasicView::GraphBasicView;

    static constexpr double iconSize = 28;
    static constexpr double iconX = 1;
    static constexpr double iconInset = 4;

    void draw(GraphicsContext& context, const Rect& dirty) override;
};

} // namespace florelle
