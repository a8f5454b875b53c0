// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextField.h"

#include "Utf8.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double textInset = 6;

} // namespace

TextField::TextField(const Rect& frame) : Control(frame) {}

void TextField::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setNeedsDisplay();
}

void TextField::setPlaceholder(const std::string& placeholder) {
    placeholder_ = placeholder;
    setNeedsDisplay();
}

void TextField::setSecureTextEntry(bool secure) {
    secure_ = secure;
    setNeedsDisplay();
}

void TextField::setFont(const Font& font) {
    font_ = font;
    setNeedsDisplay();
}

void TextField::setTextColor(const Color& color) {
    textColor_ = color;
    setNeedsDisplay();
}

void TextField::setTextAlignment(TextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void TextField::setBorderStyle(BorderStyle style) {
    border_ = style;
    setNeedsDisplay();
}

std::string TextField::displayedText() const {
    if (text_.empty()) {
        return placeholder_;
    }
    if (!secure_) {
        return text_;
    }
    std::string dots;
    for (std::size_t count = utf8::characterCount(text_); count > 0; --count) {
        dots += secureDot;
    }
    return dots;
}

bool TextField::offer(TextRange range, std::string_view replacement) {
    auto listener = delegate.lock();
    if (listener && !listener->shouldChangeCharacters(*this, range, replacement)) {
        return false;
    }
    text_.replace(range.location, range.length, replacement);
    return true;
}

void TextField::changed() {
    setNeedsDisplay();
    if (auto call = onEditingChanged) {
        call();
    }
}

void TextField::insertText(std::string_view typed) {
    auto keepAlive = shared_from_this();
    if (typed == "\n") {
        if (auto listener = delegate.lock()) {
            listener->textFieldShouldReturn(*this);
        }
        return;
    }
    std::string text(typed);
    std::replace(text.begin(), text.end(), '\n', ' ');
    if (text.empty()) {
        return;
    }
    if (offer(TextRange{text_.size(), 0}, text)) {
        changed();
        return;
    }
    auto pieces = utf8::characters(text);
    if (pieces.size() < 2) {
        return;
    }
    bool any = false;
    for (auto piece : pieces) {
        any = offer(TextRange{text_.size(), 0}, piece) || any;
    }
    if (any) {
        changed();
    }
}

void TextField::deleteBackward() {
    if (text_.empty()) {
        return;
    }
    auto keepAlive = shared_from_this();
    std::size_t start = utf8::lastCharacterStart(text_);
    if (offer(TextRange{start, text_.size() - start}, "")) {
        changed();
    }
}

void TextField::endTracking(const Touch& touch) {
    if (editing_ || !bounds().contains(touch.locationInView(this))) {
        return;
    }
    auto listener = delegate.lock();
    if (listener && !listener->textFieldShouldBeginEditing(*this)) {
        return;
    }
    becomeFirstResponder();
}

void TextField::didBecomeFirstResponder() {
    editing_ = true;
    setNeedsDisplay();
    if (auto listener = delegate.lock()) {
        listener->textFieldDidBeginEditing(*this);
    }
}

void TextField::didResignFirstResponder() {
    editing_ = false;
    setNeedsDisplay();
    if (auto listener = delegate.lock()) {
        listener->textFieldDidEndEditing(*this);
    }
}

void TextField::draw(GraphicsContext& context, const Rect&) {
    Rect area = bounds();
    if (border_ == BorderStyle::roundedRect) {
        Path shape;
        shape.addRoundedRect(area.insetBy(0.5, 0.5), 6);
        context.setFillColor(Color::white());
        context.fillPath(shape);
        context.setStrokeColor(Color::gray());
        context.setLineWidth(1);
        context.strokePath(shape);
    } else if (border_ == BorderStyle::line) {
        context.setStrokeColor(Color::black());
        context.setLineWidth(1);
        context.strokeRect(area.insetBy(0.5, 0.5));
    }
    double lineHeight = font_.lineHeight();
    Rect textArea(area.minX() + textInset, area.midY() - lineHeight / 2,
                  area.width() - 2 * textInset, lineHeight);
    context.setFillColor(text_.empty() ? Color::gray() : textColor_);
    Size drawn = context.drawText(displayedText(), textArea, font_, LineBreakMode::TruncateHead,
                                  alignment_, 1);
    if (editing_) {
        double caretX = textArea.minX() + (text_.empty() ? 0 : drawn.width);
        if (alignment_ == TextAlignment::Center && !text_.empty()) {
            caretX = textArea.midX() + drawn.width / 2;
        } else if (alignment_ == TextAlignment::Right) {
            caretX = textArea.maxX();
        }
        context.setFillColor(Color(0.26, 0.42, 0.95));
        context.fillRect(Rect(std::min(caretX, textArea.maxX()), textArea.minY(), 2, lineHeight));
    }
}

} // namespace florelle
