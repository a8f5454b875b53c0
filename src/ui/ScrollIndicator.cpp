// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollIndicator.h"

#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

#include <algorithm>

namespace florelle {

ScrollIndicator::ScrollIndicator() {
    setUserInteractionEnabled(false);
    setAlpha(0);
}

void ScrollIndicator::draw(GraphicsContext& context, const Rect&) {
    Rect bar = bounds().insetBy(1, 1);
    double radius = std::min(bar.width(), bar.height()) / 2;
    context.setFillColor(Color::white(0, 0.5));
    Path path;
    path.addRoundedRect(bar, radius);
    context.fillPath(path);
}

} // namespace florelle
