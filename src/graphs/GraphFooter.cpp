// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphFooter.h"

#include "graphics/Font.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <numbers>

namespace florelle {

namespace {

// The footer sits 30 points above the scene; these bring a caption level
// with its bar.
constexpr int captionOffset = 25;
constexpr double captionShift = 15;
constexpr double captionDepth = -14;

} // namespace

void GraphFooter::draw(GraphicsContext& context, const Rect& /*dirty*/) {
    const Font font = Font::systemFont(fontSize);
    const auto& groups = graphDataItems();
    const int total = static_cast<int>(groups.size());
    for (int section = 0; section < total; ++section) {
        int position = beginSection(section, total) + captionOffset;
        for (const auto& item : groups[section].values) {
            double width = TextLayout(item.valueName, font).size().width;
            context.save();
            context.rotate(std::numbers::pi / 2);
            context.setFillColor(captionColor());
            context.drawText(item.valueName,
                             Point{position + captionShift - width / 3, captionDepth}, font);
            context.restore();
            position += advanceToNextItem(0);
        }
    }
}

} // namespace florelle
