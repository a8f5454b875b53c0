// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphLegend.h"

#include "graphics/Font.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"

#include <numbers>

namespace florelle {

namespace {

constexpr double rightMargin = 20;
constexpr double entrySpacing = 15;
constexpr double nameStart = 30;
const Rect pictureFrame{-12, 10, 12, 17};

} // namespace

double GraphLegend::entryX(int index) const {
    return bounds().size.width - (rightMargin + entrySpacing * index);
}

void GraphLegend::draw(GraphicsContext& context, const Rect& /*dirty*/) {
    const Font font = Font::named("Helvetica-Bold", 12);
    for (std::size_t k = 0; k < sectionNames_.size(); ++k) {
        const std::string& name = sectionNames_[k];
        double x = entryX(static_cast<int>(k));
        auto picture = imageNames_.find(name);
        if (picture != imageNames_.end() && !picture->second.empty()) {
            context.drawImage(Image::named(picture->second),
                              Rect(x + pictureFrame.origin.x, pictureFrame.origin.y,
                                   pictureFrame.size.width, pictureFrame.size.height));
        }
        context.save();
        context.rotate(std::numbers::pi / 2);
        context.setFillColor(Color::white());
        context.drawText(name, Point{nameStart, -x}, font);
        context.restore();
    }
}

} // namespace florelle
