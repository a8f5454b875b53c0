// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomPetalView.h"

#include "SkinColors.h"
#include "graphics/Font.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

namespace florelle {

CustomPetalView::CustomPetalView(const Rect& frame) : View(frame) {}

void CustomPetalView::setLblString(const std::string& caption) {
    if (caption == lblString_) {
        return;
    }
    lblString_ = caption;
    setNeedsDisplay();
}

void CustomPetalView::setPetalImg(const Image& picture) {
    if (picture == petalImg_) {
        return;
    }
    petalImg_ = picture;
    setNeedsDisplay();
}

void CustomPetalView::setSkin(int skin) {
    if (skin == skin_) {
        return;
    }
    skin_ = skin;
    setNeedsDisplay();
}

void CustomPetalView::setLblRect(const Rect& rect) {
    lblRect_ = rect;
    setNeedsDisplay();
}

Rect CustomPetalView::captionRect(const std::string& caption, Point anchor) {
    double width = TextLayout(caption, Font::boldSystemFont(captionFontSize)).size().width;
    return Rect(anchor.x - width / 2, anchor.y, 100, 20);
}

void CustomPetalView::draw(GraphicsContext& context, const Rect& dirty) {
    // Over the rectangle shown, so that a petal growing under an animation of
    // its bounds grows its picture with it.
    context.drawImage(petalImg_, dirty);
    context.setFillColor(SkinColors::forSkin(skin_).petalCaption);
    context.drawText(lblString_, lblRect_, Font::boldSystemFont(captionFontSize),
                     LineBreakMode::TruncateTail);
}

} // namespace florelle
