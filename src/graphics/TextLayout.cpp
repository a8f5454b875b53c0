// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextLayout.h"

#include "TextEngine.h"

#include <algorithm>
#include <cmath>
#include <glib.h>
#include <string>

namespace florelle {

namespace {

bool isLimit(double value) {
    return value > 0 && std::isfinite(value);
}

int toPangoUnits(double points) {
    return static_cast<int>(std::lround(points * PANGO_SCALE));
}

double toPoints(int units) {
    return static_cast<double>(units) / PANGO_SCALE;
}

void setText(PangoLayout* layout, std::string_view text) {
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    pango_layout_set_text(layout, valid, -1);
    g_free(valid);
}

PangoAlignment pangoAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Center:
        return PANGO_ALIGN_CENTER;
    case TextAlignment::Right:
        return PANGO_ALIGN_RIGHT;
    case TextAlignment::Left:
        break;
    }
    return PANGO_ALIGN_LEFT;
}

} // namespace

TextLayout::TextLayout(std::string_view text, const Font& font)
    : TextLayout(TextEngine::measuringContext(), text, font, {}, LineBreakMode::Clip,
                 TextAlignment::Left, 0) {}

TextLayout::TextLayout(std::string_view text, const Font& font, Size limit, LineBreakMode mode,
                       TextAlignment alignment, int maximumLines)
    : TextLayout(TextEngine::measuringContext(), text, font, limit, mode, alignment, maximumLines) {
}

TextLayout::TextLayout(PangoContext* context, std::string_view text, const Font& font, Size limit,
                       LineBreakMode mode, TextAlignment alignment, int maximumLines)
    : layout_(pango_layout_new(context)) {
    maximumLines = std::max(maximumLines, 0);
    double heightLimit = isLimit(limit.height) ? limit.height : 0;
    PangoLayout* layout = layout_.get();
    setText(layout, text);
    pango_layout_set_font_description(layout, font.description());
    pango_layout_set_alignment(layout, pangoAlignment(alignment));
    if (!isLimit(limit.width)) {
        measure(heightLimit, maximumLines);
        return;
    }
    pango_layout_set_width(layout, toPangoUnits(limit.width));
    pango_layout_set_wrap(layout, mode == LineBreakMode::CharacterWrap ? PANGO_WRAP_CHAR
                                                                       : PANGO_WRAP_WORD_CHAR);
    switch (mode) {
    case LineBreakMode::TruncateHead:
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_START);
        pango_layout_set_height(layout, -1);
        break;
    case LineBreakMode::TruncateMiddle:
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_MIDDLE);
        pango_layout_set_height(layout, -1);
        break;
    case LineBreakMode::TruncateTail:
        if (heightLimit > 0 || maximumLines > 0) {
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
            pango_layout_set_height(layout,
                                    heightLimit > 0 ? toPangoUnits(heightLimit) : -maximumLines);
            if (maximumLines > 0 && pango_layout_get_line_count(layout) > maximumLines) {
                pango_layout_set_height(layout, -maximumLines);
            }
        }
        break;
    case LineBreakMode::WordWrap:
    case LineBreakMode::CharacterWrap:
    case LineBreakMode::Clip:
        break;
    }
    measure(heightLimit, maximumLines);
}

void TextLayout::measure(double heightLimit, int maximumLines) {
    PangoLayout* layout = layout_.get();
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    double height = toPoints(logical.height);
    visibleLines_ = pango_layout_get_line_count(layout);
    bool tooHigh = heightLimit > 0 && height > heightLimit;
    bool tooMany = maximumLines > 0 && visibleLines_ > maximumLines;
    if (tooHigh || tooMany) {
        // Keep the lines whose bottom lies within the limit, at least the first.
        PangoLayoutIter* iterator = pango_layout_get_iter(layout);
        int lines = 0;
        double bottom = 0;
        do {
            PangoRectangle line;
            pango_layout_iter_get_line_extents(iterator, nullptr, &line);
            double lineBottom = toPoints(line.y + line.height);
            bool overHeight = heightLimit > 0 && lineBottom > heightLimit + 1e-6;
            if (lines > 0 && (overHeight || lines == maximumLines)) {
                break;
            }
            bottom = lineBottom;
            ++lines;
        } while (pango_layout_iter_next_line(iterator));
        pango_layout_iter_free(iterator);
        visibleLines_ = lines;
        height = bottom;
    }
    size_ = {std::ceil(toPoints(logical.width) - 1e-6), std::ceil(height - 1e-6)};
}

int TextLayout::lineCount() const {
    return visibleLines_;
}

bool TextLayout::isTruncated() const {
    return pango_layout_is_ellipsized(layout_.get());
}

} // namespace florelle
