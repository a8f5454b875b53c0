// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphScene.h"

#include "foundation/Format.h"
#include "graphics/Font.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"
#include "graphics/TextLayout.h"

#include <cmath>
#include <numbers>

namespace florelle {

namespace {

constexpr double labelInset = 5;
constexpr double fractionShown = 0.09;

} // namespace

std::string GraphScene::valueLabel(float value) {
    double v = value;
    // Infinite and not-a-number values compare false and get no decimals.
    return formatFixed(v, v - std::trunc(v) > fractionShown ? 1 : 0);
}

double GraphScene::allowedLength() const {
    return bounds().size.width - endMargin;
}

void GraphScene::draw(GraphicsContext& context, const Rect& /*dirty*/) {
    context.save();
    context.setAllowsAntialiasing(true);
    const double thickness = towerThickness();
    const double allowed = allowedLength();
    const double maximum = getMaxValue();
    const Font font = Font::named("Helvetica-Bold", 12);
    const auto& groups = graphDataItems();
    const int total = static_cast<int>(groups.size());
    for (int section = 0; section < total; ++section) {
        int position = beginSection(section, total);
        for (const auto& item : groups[section].values) {
            double scaled = getScaledValue(item.value, maximum, allowed);
            // The tower pictures are drawn lying along x, as the bars do.
            context.drawImage(Image::named(item.imageName), Rect(0, position, scaled, thickness));

            std::string label = valueLabel(item.value);
            double width = TextLayout(label, font).size().width;
            context.save();
            context.rotate(std::numbers::pi / 2);
            context.setFillColor(Color::white());
            context.drawText(
                label, Point{position + (thickness - width) / 2, -(scaled - labelInset)}, font);
            context.restore();
            position = advanceToNextItem(position);
        }
    }
    context.restore();
}

} // namespace florelle
