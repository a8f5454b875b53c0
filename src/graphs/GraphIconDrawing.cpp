// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphIconDrawing.h"

#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"

namespace florelle {

namespace {

constexpr double quarterTurn = 1.5705;

} // namespace

void drawTurnedIcon(GraphicsContext& context, const std::string& imageName, const Rect& square) {
    Image icon = Image::named(imageName);
    if (icon.isEmpty()) {
        return;
    }
    double midX = square.origin.x + square.size.width / 2;
    double midY = square.origin.y + square.size.height / 2;
    context.save();
    context.translate(midX, midY);
    context.rotate(quarterTurn);
    context.drawImage(icon, Rect(-square.size.width / 2, -square.size.height / 2, square.size.width,
                                 square.size.height));
    context.restore();
}

} // namespace florelle
