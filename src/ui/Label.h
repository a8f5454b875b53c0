// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "View.h"
#include "graphics/Font.h"
#include "graphics/TextAttributes.h"

#include <string>

namespace florelle {

// A view that shows a read-only text: in a font and colour, aligned left,
// centred or right, on up to numberOfLines lines (0: as many as fit), broken
// or shortened by the line break mode, optionally with a hard shadow. The
// text block sits in the vertical middle of the bounds. By default: the
// 17-point system font, black, left aligned, one line, shortened at the tail,
// no shadow, a clear background.
class Label : public View {
public:
    Label();
    explicit Label(const Rect& frame);
    // A caption that lets touches through to what lies under it.
    static std::shared_ptr<Label> caption(const Rect& frame, const Font& font, const Color& color,
                                          TextAlignment alignment = TextAlignment::Left);

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    int numberOfLines() const { return numberOfLines_; }
    // Negative counts are taken as 0.
    void setNumberOfLines(int lines);
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode);
    // A clear shadow colour (the default) draws no shadow.
    const Color& shadowColor() const { return shadowColor_; }
    void setShadowColor(const Color& color);
    Size shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(Size offset);

    // The size the text needs within `limit` (≤ 0: unlimited) on the
    // label's number of lines.
    Size sizeThatFits(Size limit) const;
    // Resizes the label around its text, keeping its top-left corner; a label
    // of more than one line keeps its width and grows in height.
    void sizeToFit();

    void draw(GraphicsContext& context, const Rect& dirty) override;
    std::string displayedText() const override { return text_; }

private:
    std::string text_;
    Font font_;
    Color textColor_ = Color::black();
    TextAlignment alignment_ = TextAlignment::Left;
    int numberOfLines_ = 1;
    LineBreakMode lineBreakMode_ = LineBreakMode::TruncateTail;
    Color shadowColor_ = Color::clear();
    Size shadowOffset_{0, -1};
};

} // namespace florelle
