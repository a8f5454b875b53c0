// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomPetalView.h"

#include "SkinColors.h"
#include "graphics/Font.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

namespace florelle {

// The petal's caption, a view of its own so that it keeps its size while the
// petal's picture stretches.
class PetalCaption : public View {
public:
    PetalCaption() { setUserInteractionEnabled(false); }

    const std::string& text() const { return text_; }
    void setText(const std::string& text) {
        text_ = text;
        setNeedsDisplay();
    }
    void setColor(const Color& color) {
        color_ = color;
        setNeedsDisplay();
    }

    void draw(GraphicsContext& context, const Rect&) override {
        context.setFillColor(color_);
        context.drawText(text_, bounds(), Font::boldSystemFont(CustomPetalView::captionFontSize),
                         LineBreakMode::TruncateTail);
    }

private:
    std::string text_;
    Color color_;
};

CustomPetalView::CustomPetalView(const Rect& frame)
    : View(frame), caption_(std::make_shared<PetalCaption>()) {
    setStretchesContent(true);
    caption_->setColor(SkinColors::forSkin(skin_).petalCaption);
    addSubview(caption_);
}

const std::string& CustomPetalView::lblString() const {
    return caption_->text();
}

void CustomPetalView::setLblString(const std::string& caption) {
    if (caption != caption_->text()) {
        caption_->setText(caption);
    }
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
    caption_->setColor(SkinColors::forSkin(skin).petalCaption);
}

Rect CustomPetalView::lblRect() const {
    return caption_->frame();
}

void CustomPetalView::setLblRect(const Rect& rect) {
    caption_->setFrame(rect);
}

Rect CustomPetalView::captionRect(const std::string& caption, Point anchor) {
    double width = TextLayout(caption, Font::boldSystemFont(captionFontSize)).size().width;
    return Rect(anchor.x - width / 2, anchor.y, 100, 20);
}

void CustomPetalView::draw(GraphicsContext& context, const Rect& dirty) {
    context.drawImage(petalImg_, dirty);
}

} // namespace florelle
