// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivityIndicator.h"

#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

#include <algorithm>
#include <numbers>

namespace florelle {

ActivityIndicator::ActivityIndicator(Style style)
    : View(style == Style::whiteLarge ? Rect(0, 0, 37, 37) : Rect(0, 0, 20, 20)), style_(style) {
    setUserInteractionEnabled(false);
    setHidden(true);
}

void ActivityIndicator::startAnimating() {
    if (isAnimating()) {
        return;
    }
    setHidden(false);
    timer_ = Timer(stepInterval, true, [this] {
        step_ = (step_ + 1) % spokes;
        setNeedsDisplay();
    });
}

void ActivityIndicator::stopAnimating() {
    timer_.invalidate();
    if (hidesWhenStopped_) {
        setHidden(true);
    }
}

void ActivityIndicator::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    if (!isAnimating()) {
        setHidden(hides);
    }
}

void ActivityIndicator::draw(GraphicsContext& context, const Rect&) {
    Rect area = bounds();
    double radius = std::min(area.width(), area.height()) / 2;
    double width = radius * 0.25;
    Point centre{area.midX(), area.midY()};
    double level = style_ == Style::gray ? 0.4 : 1;
    for (int spoke = 0; spoke < spokes; ++spoke) {
        // The brightest spoke leads; those behind it fade.
        int behind = (step_ - spoke + spokes) % spokes;
        double alpha = 1 - behind * 0.07;
        context.save();
        context.translate(centre.x, centre.y);
        context.rotate(2 * std::numbers::pi * spoke / spokes);
        context.setFillColor(Color::white(level, alpha));
        Path path;
        path.addRoundedRect(Rect(-width / 2, -radius, width, radius * 0.5), width / 2);
        context.fillPath(path);
        context.restore();
    }
}

} // namespace florelle
