// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/CairoHandles.h"
#include "graphics/Font.h"
#include "graphics/TextAttributes.h"

#include <string_view>

namespace florelle {

// A text laid out in a font: its size in points and, for the drawing context,
// the lines to draw. Invalid UTF-8 is shown with replacement characters.
class TextLayout {
public:
    // One line per paragraph, as wide as the text is.
    TextLayout(std::string_view text, const Font& font);
    // Broken into lines no wider than limit.width; a height limit keeps only
    // the lines that fit (at least one), and so does maximumLines. A limit
    // ≤ 0 or infinite is no limit.
    TextLayout(std::string_view text, const Font& font, Size limit, LineBreakMode mode,
               TextAlignment alignment = TextAlignment::Left, int maximumLines = 0);
    // The same, laid out in a given Pango context (a drawing context's own).
    TextLayout(PangoContext* context, std::string_view text, const Font& font, Size limit,
               LineBreakMode mode, TextAlignment alignment, int maximumLines);

    // The size of the lines that show, rounded up to whole points so that a
    // box of this size never cuts the text.
    Size size() const { return size_; }
    int lineCount() const;
    // True when an ellipsis replaced part of the text.
    bool isTruncated() const;

    PangoLayout* pangoLayout() const { return layout_.get(); }

private:
    void measure(double heightLimit, int maximumLines);

    PangoLayoutHandle layout_;
    Size size_;
    int visibleLines_ = 0;
};

} // namespace florelle
