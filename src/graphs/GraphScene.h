// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/GraphBasicView.h"

#include <string>

namespace florelle {

// The bars: each item's picture stretched along x from 0 to its scaled
// value, with the value written in white across the bar, reading along it
// and ending 5 points before its far end. The largest value takes the
// view's width less 30 points.
class GraphScene : public GraphBasicView {
public:
    using GraphBasicView::GraphBasicView;

    static constexpr double endMargin = 30;

    // "2.1" when the value has a tenth worth showing, else "2".
    static std::string valueLabel(float value);
    // The length the bars may take at the current width.
    double allowedLength() const;

    void draw(GraphicsContext& context, const Rect& dirty) override;
};

} // namespace florelle
