// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPictures.h"
#include "graphics/BitmapContext.h"
#include "graphics/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace florelle {
namespace {

const std::string sentence = "The quick brown fox jumps over the lazy dog";

PangoGlyph firstGlyph(PangoLayout* layout, int lineIndex) {
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, lineIndex);
    auto* run = static_cast<PangoGlyphItem*>(line->runs->data);
    return run->glyphs->glyphs[0].glyph;
}

PangoGlyph lastGlyph(PangoLayout* layout, int lineIndex) {
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, lineIndex);
    auto* run = static_cast<PangoGlyphItem*>(g_slist_last(line->runs)->data);
    return run->glyphs->glyphs[run->glyphs->num_glyphs - 1].glyph;
}

PangoGlyph ellipsisGlyph(const Font& font) {
    TextLayout ellipsis("…", font);
    return firstGlyph(ellipsis.pangoLayout(), 0);
}

// The most opaque pixel in an area (points); nothing drawn there gives 0.
double inkIn(BitmapContext& bitmap, Rect area) {
    double ink = 0;
    for (double y = area.minY(); y < area.maxY(); y += 0.5) {
        for (double x = area.minX(); x < area.maxX(); x += 0.5) {
            Color pixel = bitmap.pixelAt({x, y});
            ink = std::max(ink, pixel.alpha());
        }
    }
    return ink;
}

TEST(TextTest, LongerTextIsWiderAndBiggerFontsAreBigger) {
    Font font = Font::systemFont(15);
    Size shortSize = TextLayout("Period", font).size();
    Size longSize = TextLayout("Period day 12", font).size();
    EXPECT_GT(shortSize.width, 0);
    EXPECT_GT(longSize.width, shortSize.width);
    EXPECT_EQ(longSize.height, shortSize.height);
    EXPECT_GT(TextLayout("Period", Font::systemFont(30)).size().width, shortSize.width * 1.8);
    EXPECT_GE(TextLayout("Period", Font::boldSystemFont(15)).size().width, shortSize.width);
}

TEST(TextTest, SizesAreWholePoints) {
    Size size = TextLayout("Ovulation", Font::named("Helvetica-Bold", 12)).size();
    EXPECT_EQ(size.width, std::ceil(size.width));
    EXPECT_EQ(size.height, std::ceil(size.height));
}

TEST(TextTest, WidthLimitWrapsToMoreLines) {
    Font font = Font::systemFont(15);
    TextLayout oneLine(sentence, font);
    TextLayout wrapped(sentence, font, {120, 0}, LineBreakMode::WordWrap);
    EXPECT_EQ(oneLine.lineCount(), 1);
    EXPECT_GT(wrapped.lineCount(), 2);
    EXPECT_LE(wrapped.size().width, 120);
    EXPECT_GE(wrapped.size().height, oneLine.size().height * wrapped.lineCount() - 1);
}

TEST(TextTest, AWordLongerThanTheLineIsBrokenInsideIt) {
    TextLayout layout("Schwangerschaftsverhütungsmittel", Font::systemFont(15), {80, 0},
                      LineBreakMode::WordWrap);
    EXPECT_GT(layout.lineCount(), 1);
    EXPECT_LE(layout.size().width, 80);
}

TEST(TextTest, CharacterWrapFillsLinesFurtherThanWordWrap) {
    Font font = Font::systemFont(15);
    TextLayout words(sentence, font, {100, 0}, LineBreakMode::WordWrap);
    TextLayout characters(sentence, font, {100, 0}, LineBreakMode::CharacterWrap);
    auto firstLineLength = [](const TextLayout& layout) {
        return pango_layout_get_line_readonly(layout.pangoLayout(), 0)->length;
    };
    EXPECT_GT(firstLineLength(characters), firstLineLength(words));
}

TEST(TextTest, HeightLimitKeepsOnlyTheLinesThatFit) {
    Font font = Font::systemFont(15);
    double lineHeight = TextLayout("A", font).size().height;
    TextLayout layout(sentence, font, {100, lineHeight * 2.5}, LineBreakMode::WordWrap);
    EXPECT_EQ(layout.lineCount(), 2);
    EXPECT_LE(layout.size().height, lineHeight * 2.5);
    TextLayout tooLow(sentence, font, {100, 3}, LineBreakMode::WordWrap);
    EXPECT_EQ(tooLow.lineCount(), 1);
}

TEST(TextTest, TruncationPutsTheEllipsisWhereTheModeSays) {
    Font font = Font::systemFont(15);
    PangoGlyph ellipsis = ellipsisGlyph(font);
    double oneLine = TextLayout("A", font).size().height;

    TextLayout tail(sentence, font, {100, oneLine}, LineBreakMode::TruncateTail);
    EXPECT_TRUE(tail.isTruncated());
    EXPECT_EQ(tail.lineCount(), 1);
    EXPECT_LE(tail.size().width, 100);
    EXPECT_EQ(lastGlyph(tail.pangoLayout(), 0), ellipsis);

    TextLayout head(sentence, font, {100, 0}, LineBreakMode::TruncateHead);
    EXPECT_TRUE(head.isTruncated());
    EXPECT_EQ(firstGlyph(head.pangoLayout(), 0), ellipsis);
    EXPECT_NE(lastGlyph(head.pangoLayout(), 0), ellipsis);

    TextLayout middle(sentence, font, {100, 0}, LineBreakMode::TruncateMiddle);
    EXPECT_TRUE(middle.isTruncated());
    EXPECT_NE(firstGlyph(middle.pangoLayout(), 0), ellipsis);
    EXPECT_NE(lastGlyph(middle.pangoLayout(), 0), ellipsis);
}

TEST(TextTest, TailTruncationEndsTheLastLineThatFits) {
    Font font = Font::systemFont(15);
    double oneLine = TextLayout("A", font).size().height;
    TextLayout layout(sentence, font, {100, oneLine * 2}, LineBreakMode::TruncateTail);
    EXPECT_EQ(layout.lineCount(), 2);
    EXPECT_TRUE(layout.isTruncated());
    EXPECT_EQ(lastGlyph(layout.pangoLayout(), 1), ellipsisGlyph(font));
}

TEST(TextTest, MaximumLinesLimitsWrappedAndTruncatedText) {
    Font font = Font::systemFont(15);
    TextLayout label(sentence, font, {100, 0}, LineBreakMode::TruncateTail, TextAlignment::Left, 1);
    EXPECT_EQ(label.lineCount(), 1);
    EXPECT_TRUE(label.isTruncated());
    EXPECT_EQ(lastGlyph(label.pangoLayout(), 0), ellipsisGlyph(font));

    TextLayout tall(sentence, font, {100, 500}, LineBreakMode::TruncateTail, TextAlignment::Left,
                    2);
    EXPECT_EQ(tall.lineCount(), 2);
    EXPECT_EQ(lastGlyph(tall.pangoLayout(), 1), ellipsisGlyph(font));

    TextLayout wrapped(sentence, font, {100, 0}, LineBreakMode::WordWrap, TextAlignment::Left, 2);
    EXPECT_EQ(wrapped.lineCount(), 2);
    EXPECT_EQ(wrapped.size().height, TextLayout("A\nB", font).size().height);
}

TEST(TextTest, TextThatFitsIsNotTruncated) {
    TextLayout layout("Late", Font::systemFont(15), {200, 30}, LineBreakMode::TruncateTail);
    EXPECT_FALSE(layout.isTruncated());
    EXPECT_EQ(layout.size(), TextLayout("Late", Font::systemFont(15)).size());
}

TEST(TextTest, InvalidUtf8IsShownNotRefused) {
    Size size = TextLayout("Tag \xff\xfe 3", Font::systemFont(15)).size();
    EXPECT_GT(size.width, TextLayout("Tag 3", Font::systemFont(15)).size().width);
}

TEST(TextTest, DrawnTextMeasuresAsMeasuredAndInksOnlyItsBox) {
    Font font = Font::systemFont(22);
    BitmapContext bitmap({100, 60}, 2);
    bitmap.setFillColor(Color::black());
    Size drawn = bitmap.drawText("28", Point{10, 10}, font);
    EXPECT_EQ(drawn, TextLayout("28", font).size());
    EXPECT_GT(inkIn(bitmap, {{10, 10}, drawn}), 0.9);
    EXPECT_EQ(inkIn(bitmap, {{0, 0}, {100, 9}}), 0);
    EXPECT_EQ(inkIn(bitmap, {{11 + drawn.width, 0}, {100 - 11 - drawn.width, 60}}), 0);
}

TEST(TextTest, BaselineDrawingPutsTheLettersOnTheLine) {
    Font font = Font::systemFont(22);
    BitmapContext bitmap({60, 60}, 2);
    bitmap.drawTextAtBaseline("H", Point{10, 40}, font);
    EXPECT_GT(inkIn(bitmap, {{10, 38}, {20, 2}}), 0.9);
    EXPECT_GT(inkIn(bitmap, {{10, 40 - font.ascender() * 0.75}, {20, 2}}), 0.9);
    EXPECT_EQ(inkIn(bitmap, {{0, 40.5}, {60, 19.5}}), 0);
    EXPECT_EQ(inkIn(bitmap, {{0, 0}, {60, 40 - font.ascender()}}), 0);
}

TEST(TextTest, AlignmentPlacesTheLineInTheRectangle) {
    Font font = Font::systemFont(15);
    double width = TextLayout("W", font).size().width;
    struct Case {
        TextAlignment alignment;
        double inkFrom;
    };
    for (auto [alignment, inkFrom] :
         {Case{TextAlignment::Left, 0}, Case{TextAlignment::Center, 50 - width / 2},
          Case{TextAlignment::Right, 100 - width}}) {
        BitmapContext bitmap({100, 20}, 1);
        bitmap.drawText("W", Rect{{0, 0}, {100, 20}}, font, LineBreakMode::WordWrap, alignment);
        EXPECT_GT(inkIn(bitmap, {{inkFrom, 0}, {width, 20}}), 0.9);
        EXPECT_EQ(inkIn(bitmap, {{0, 0}, {std::max(0.0, inkFrom - 1), 20}}), 0);
        EXPECT_EQ(inkIn(bitmap, {{inkFrom + width + 1, 0}, {100, 20}}), 0);
    }
}

TEST(TextTest, LinesBeyondTheRectangleAreNotDrawn) {
    Font font = Font::systemFont(15);
    double oneLine = TextLayout("A", font).size().height;
    BitmapContext bitmap({100, 100}, 1);
    Size drawn = bitmap.drawText(sentence, Rect{{0, 0}, {100, oneLine * 1.5}}, font,
                                 LineBreakMode::WordWrap);
    EXPECT_EQ(drawn.height, oneLine);
    EXPECT_GT(inkIn(bitmap, {{0, 0}, {100, oneLine}}), 0.9);
    EXPECT_EQ(inkIn(bitmap, {{0, oneLine}, {100, 100 - oneLine}}), 0);
}

TEST(TextTest, TextTakesTheFillColourAndCastsAShadow) {
    Font font = Font::boldSystemFont(30);
    BitmapContext bitmap({60, 50}, 1);
    bitmap.setFillColor(Color::red());
    bitmap.setShadow({0, 10}, Color::blue());
    Size drawn = bitmap.drawText("I", Point{20, 0}, font);
    bool sawRed = false;
    bool sawBlueBelow = false;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            Color pixel = bitmap.pixel(x, y);
            sawRed |= testing::colorNear(pixel, Color::red());
            sawBlueBelow |= y >= drawn.height && testing::colorNear(pixel, Color::blue());
        }
    }
    EXPECT_TRUE(sawRed);
    EXPECT_TRUE(sawBlueBelow);
}

} // namespace
} // namespace florelle
