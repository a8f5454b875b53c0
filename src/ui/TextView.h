// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScrollView.h"
#include "TextInput.h"
#include "TextViewDelegate.h"
#include "graphics/Font.h"
#include "graphics/TextAttributes.h"

#include <memory>
#include <string>

namespace florelle {

// A scrolling text of many lines. When editable, a tap (not a drag) makes it
// first responder and brings up the keyboard; typed text and line breaks go
// at the end, each change put to the delegate first, and the view scrolls to
// keep the end of the text in sight. The content grows with the text.
class TextView : public ScrollView, public TextInput {
public:
    static constexpr double textInset = 8;

    explicit TextView(const Rect& frame);

    const std::string& text() const { return text_; }
    // Replaces the text without asking the delegate.
    void setText(const std::string& text);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    bool isEditable() const { return editable_; }
    // A view that stops being editable also stops being first responder.
    void setEditable(bool editable);
    bool isEditing() const { return editing_; }

    std::weak_ptr<TextViewDelegate> textDelegate;

    std::string displayedText() const override { return text_; }
    bool canBecomeFirstResponder() const override { return editable_; }
    void insertText(std::string_view text) override;
    void deleteBackward() override;
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;

    void touchesEnded(const Touches& touches, const Event& event) override;
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    bool offer(TextRange range, std::string_view replacement);
    void textChanged(bool byUser);
    Size textSize() const;

    std::string text_;
    Font font_ = Font::systemFont(17);
    Color textColor_ = Color::black();
    TextAlignment alignment_ = TextAlignment::Left;
    bool editable_ = true;
    bool editing_ = false;
};

} // namespace florelle
