// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"
#include "TextFieldDelegate.h"
#include "TextInput.h"
#include "graphics/Font.h"
#include "graphics/TextAttributes.h"

#include <functional>
#include <memory>
#include <string>

namespace florelle {

// A one-line text box. A tap makes it first responder (if its delegate
// agrees), which brings up the keyboard of its keyboard type; typed text is
// added at the end and backspace removes the last character. Every change is
// put to the delegate first with its range and replacement. Pasted text that
// the delegate refuses as a whole is offered one character at a time, so
// only what the delegate accepts is kept. Line breaks in typed text become
// spaces; the return key alone asks textFieldShouldReturn.
//
// A secure field shows one dot per character; text() still gives the text.
class TextField : public Control, public TextInput {
public:
    enum class BorderStyle { none, line, roundedRect };
    static constexpr const char* secureDot = "\u2022";

    explicit TextField(const Rect& frame);

    const std::string& text() const { return text_; }
    // Replaces the text without asking the delegate.
    void setText(const std::string& text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(const std::string& placeholder);
    bool isSecureTextEntry() const { return secure_; }
    void setSecureTextEntry(bool secure);
    KeyboardType keyboardType() const override { return keyboardType_; }
    void setKeyboardType(KeyboardType type) { keyboardType_ = type; }
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(BorderStyle style);

    bool isEditing() const { return editing_; }
    // The text as shown: dots when secure, the placeholder when empty.
    std::string displayedText() const override;

    std::weak_ptr<TextFieldDelegate> delegate;
    // Called after every change the user made.
    std::function<void()> onEditingChanged;

    bool canBecomeFirstResponder() const override { return isEnabled(); }
    void insertText(std::string_view text) override;
    void deleteBackward() override;
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;

    void draw(GraphicsContext& context, const Rect& dirty) override;

protected:
    void endTracking(const Touch& touch) override;

private:
    bool offer(TextRange range, std::string_view replacement);
    void changed();

    std::string text_;
    std::string placeholder_;
    bool secure_ = false;
    KeyboardType keyboardType_ = KeyboardType::standard;
    Font font_ = Font::systemFont(17);
    Color textColor_ = Color::black();
    TextAlignment alignment_ = TextAlignment::Left;
    BorderStyle border_ = BorderStyle::none;
    bool editing_ = false;
};

} // namespace florelle
