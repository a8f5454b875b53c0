// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingLabel.h"

namespace florelle {

TypingLabel::TypingLabel(const Rect& frame, std::string placeholder)
    : Label(frame), placeholder_(std::move(placeholder)) {
    show();
}

void TypingLabel::insertText(std::string_view text) {
    typed_ += text;
    show();
}

void TypingLabel::deleteBackward() {
    // Whole UTF-8 characters: drop continuation bytes, then the lead byte.
    while (!typed_.empty() && (static_cast<unsigned char>(typed_.back()) & 0xC0) == 0x80) {
        typed_.pop_back();
    }
    if (!typed_.empty()) {
        typed_.pop_back();
    }
    show();
}

void TypingLabel::show() {
    setText(typed_.empty() ? placeholder_ : typed_);
    setTextColor(typed_.empty() ? Color::gray() : Color::black());
}

} // namespace florelle
