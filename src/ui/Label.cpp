// SPDX-License-Identifier: GPL-3.0-or-later
#include "Label.h"

#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <algorithm>
#include <limits>

namespace florelle {

namespace {

constexpr double defaultFontSize = 17;

} // namespace

Label::Label() : font_(Font::systemFont(defaultFontSize)) {}

Label::Label(const Rect& frame) : View(frame), font_(Font::systemFont(defaultFontSize)) {}

std::shared_ptr<Label> Label::caption(const Rect& frame, const Font& font, const Color& color,
                                      TextAlignment alignment) {
    auto label = std::make_shared<Label>(frame);
    label->setFont(font);
    label->setTextColor(color);
    label->setTextAlignment(alignment);
    label->setUserInteractionEnabled(false);
    return label;
}

void Label::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setNeedsDisplay();
}

void Label::setFont(const Font& font) {
    if (font.name() == font_.name() && font.size() == font_.size()) {
        return;
    }
    font_ = font;
    setNeedsDisplay();
}

void Label::setTextColor(const Color& color) {
    if (color == textColor_) {
        return;
    }
    textColor_ = color;
    setNeedsDisplay();
}

void Label::setTextAlignment(TextAlignment alignment) {
    if (alignment == alignment_) {
        return;
    }
    alignment_ = alignment;
    setNeedsDisplay();
}

void Label::setNumberOfLines(int lines) {
    lines = std::max(lines, 0);
    if (lines == numberOfLines_) {
        return;
    }
    numberOfLines_ = lines;
    setNeedsDisplay();
}

void Label::setLineBreakMode(LineBreakMode mode) {
    if (mode == lineBreakMode_) {
        return;
    }
    lineBreakMode_ = mode;
    setNeedsDisplay();
}

void Label::setShadowColor(const Color& color) {
    if (color == shadowColor_) {
        return;
    }
    shadowColor_ = color;
    setNeedsDisplay();
}

void Label::setShadowOffset(Size offset) {
    if (offset == shadowOffset_) {
        return;
    }
    shadowOffset_ = offset;
    setNeedsDisplay();
}

Size Label::sizeThatFits(Size limit) const {
    if (text_.empty()) {
        return {};
    }
    // One line is measured unbroken: its width is what the text needs.
    if (numberOfLines_ == 1) {
        TextLayout layout(text_, font_);
        Size size = layout.size();
        if (limit.width > 0) {
            size.width = std::min(size.width, limit.width);
        }
        return size;
    }
    TextLayout layout(text_, font_, limit, LineBreakMode::WordWrap, alignment_, numberOfLines_);
    return layout.size();
}

void Label::sizeToFit() {
    Rect current = frame();
    Size limit = numberOfLines_ == 1 ? Size{} : Size{current.size.width, 0};
    Size fitting = sizeThatFits(limit);
    if (numberOfLines_ != 1) {
        fitting.width = current.size.width;
    }
    setFrame(Rect(current.origin, fitting));
}

void Label::draw(GraphicsContext& context, const Rect&) {
    if (text_.empty()) {
        return;
    }
    Rect box = bounds();
    TextLayout layout(text_, font_, box.size, lineBreakMode_, alignment_, numberOfLines_);
    // Text taller than the label starts at its top.
    double offset = std::max(0.0, (box.size.height - layout.size().height) / 2);
    Rect textBox(box.origin.x, box.origin.y + offset, box.size.width, box.size.height - offset);
    if (shadowColor_.alpha() > 0) {
        context.setShadow(shadowOffset_, shadowColor_);
    }
    context.setFillColor(textColor_);
    context.drawText(text_, textBox, font_, lineBreakMode_, alignment_, numberOfLines_);
}

} // namespace florelle
