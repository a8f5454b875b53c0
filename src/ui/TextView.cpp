// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextView.h"

#include "Utf8.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <algorithm>

namespace florelle {

TextView::TextView(const Rect& frame) : ScrollView(frame) {
    setContentSize(Size{frame.width(), frame.height()});
}

void TextView::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    textChanged(false);
}

void TextView::setFont(const Font& font) {
    font_ = font;
    textChanged(false);
}

void TextView::setTextColor(const Color& color) {
    textColor_ = color;
    setNeedsDisplay();
}

void TextView::setTextAlignment(TextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void TextView::setEditable(bool editable) {
    editable_ = editable;
    if (!editable_ && isFirstResponder()) {
        resignFirstResponder();
    }
}

Size TextView::textSize() const {
    double width = std::max(1.0, bounds().width() - 2 * textInset);
    // A trailing line break starts a line of its own, which the layout does not count.
    std::string measured = text_.empty() || text_.back() == '\n' ? text_ + " " : text_;
    return TextLayout(measured, font_, Size{width, 0}, LineBreakMode::WordWrap).size();
}

void TextView::textChanged(bool byUser) {
    Size size = textSize();
    setContentSize(
        Size{bounds().width(), std::max(bounds().height(), size.height + 2 * textInset)});
    setNeedsDisplay();
    if (byUser) {
        scrollRectToVisible(Rect(0, contentSize().height - 1, 1, 1), false);
        if (auto listener = textDelegate.lock()) {
            listener->textViewDidChange(*this);
        }
    }
}

bool TextView::offer(TextRange range, std::string_view replacement) {
    auto listener = textDelegate.lock();
    if (listener && !listener->shouldChangeText(*this, range, replacement)) {
        return false;
    }
    text_.replace(range.location, range.length, replacement);
    return true;
}

void TextView::insertText(std::string_view text) {
    if (!editable_ || text.empty()) {
        return;
    }
    auto keepAlive = shared_from_this();
    if (offer(TextRange{text_.size(), 0}, text)) {
        textChanged(true);
    }
}

void TextView::deleteBackward() {
    if (!editable_ || text_.empty()) {
        return;
    }
    auto keepAlive = shared_from_this();
    std::size_t start = utf8::lastCharacterStart(text_);
    if (offer(TextRange{start, text_.size() - start}, "")) {
        textChanged(true);
    }
}

void TextView::didBecomeFirstResponder() {
    editing_ = true;
    setNeedsDisplay();
    if (auto listener = textDelegate.lock()) {
        listener->textViewDidBeginEditing(*this);
    }
}

void TextView::didResignFirstResponder() {
    editing_ = false;
    setNeedsDisplay();
    if (auto listener = textDelegate.lock()) {
        listener->textViewDidEndEditing(*this);
    }
}

void TextView::touchesEnded(const Touches& touches, const Event& event) {
    ScrollView::touchesEnded(touches, event);
    if (didDragCurrentTouch() || !editable_ || editing_) {
        return;
    }
    auto listener = textDelegate.lock();
    if (listener && !listener->textViewShouldBeginEditing(*this)) {
        return;
    }
    becomeFirstResponder();
}

void TextView::draw(GraphicsContext& context, const Rect&) {
    double width = bounds().width() - 2 * textInset;
    Rect area(textInset, textInset, width, contentSize().height - 2 * textInset);
    context.setFillColor(textColor_);
    context.drawText(text_, area, font_, LineBreakMode::WordWrap, alignment_);
    if (editing_) {
        // The caret at the end of the last line.
        std::size_t lastBreak = text_.rfind('\n');
        std::string lastLine = lastBreak == std::string::npos ? text_ : text_.substr(lastBreak + 1);
        Size all = textSize();
        double lineWidth = lastLine.empty() ? 0 : TextLayout(lastLine, font_).size().width;
        double lineHeight = font_.lineHeight();
        context.setFillColor(Color(0.26, 0.42, 0.95));
        context.fillRect(Rect(textInset + std::min(lineWidth, width),
                              textInset + all.height - lineHeight, 2, lineHeight));
    }
}

} // namespace florelle
