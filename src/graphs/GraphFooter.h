// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Color.h"
#include "graphs/GraphBasicView.h"

namespace florelle {

// The captions: each item's valueName in the system font of 11 points,
// reading along the item axis beside its bar.
class GraphFooter : public GraphBasicView {
public:
    using GraphBasicView::GraphBasicView;

    static constexpr double fontSize = 11;
    static Color captionColor() { return {0.694, 0.105, 0.384}; }

    void draw(GraphicsContext& context, const Rect& dirty) override;
};

} // namespace florelle
