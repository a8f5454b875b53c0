// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/Font.h"

#include "graphics/TextLayout.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace florelle {
namespace {

struct FontCase {
    std::string_view name;
    std::string_view family;
    bool bold;
};

const FontCase namedFonts[] = {
    {"Helvetica", "Liberation Sans", false},         {"Helvetica-Bold", "Liberation Sans", true},
    {"Helvetica-Oblique", "Liberation Sans", false}, {"Arial", "Liberation Sans", false},
    {"ChalkboardSE-Regular", "Comic Neue", false},   {"ChalkboardSE-Bold", "Comic Neue", true},
    {"Georgia", "Liberation Serif", false},          {"Courier", "Liberation Mono", false},
};

bool loadsBold(const Font& font) {
    PangoContext* context = pango_layout_get_context(TextLayout("x", font).pangoLayout());
    PangoFontHandle loaded(pango_context_load_font(context, font.description()));
    PangoFontDescriptionHandle description(pango_font_describe(loaded.get()));
    return pango_font_description_get_weight(description.get()) >= PANGO_WEIGHT_BOLD;
}

TEST(FontTest, NamedFontsResolveToInstalledFamilies) {
    for (const auto& row : namedFonts) {
        Font font = Font::named(row.name, 12);
        EXPECT_EQ(font.resolvedFamily(), row.family) << row.name;
        EXPECT_EQ(loadsBold(font), row.bold) << row.name;
        EXPECT_EQ(font.name(), row.name);
        EXPECT_EQ(font.size(), 12);
    }
}

TEST(FontTest, SystemFontsAreTheSansFamilyInTheirWeight) {
    EXPECT_EQ(Font::systemFont(22).resolvedFamily(), "Liberation Sans");
    EXPECT_EQ(Font::boldSystemFont(22).resolvedFamily(), "Liberation Sans");
    EXPECT_EQ(Font::italicSystemFont(12).resolvedFamily(), "Liberation Sans");
    EXPECT_FALSE(loadsBold(Font::systemFont(22)));
    EXPECT_TRUE(loadsBold(Font::boldSystemFont(22)));
}

TEST(FontTest, UnknownNameFallsBackAndIsLoggedOnce) {
    testing::LogCapture log;
    Font font = Font::named("MarkerFelt-Thin", 14);
    Font::named("MarkerFelt-Thin", 18);
    EXPECT_EQ(font.resolvedFamily(), "DejaVu Sans");
    auto lines = log.lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.find("MarkerFelt-Thin") != std::string::npos;
                            }),
              1);
}

TEST(FontTest, MetricsGrowWithTheSize) {
    Font small = Font::systemFont(11);
    Font large = small.withSize(22);
    EXPECT_EQ(large.size(), 22);
    EXPECT_GT(small.ascender(), 0);
    EXPECT_LT(small.descender(), 0);
    EXPECT_GE(small.lineHeight(), small.ascender() - small.descender() - 0.01);
    EXPECT_NEAR(large.lineHeight(), 2 * small.lineHeight(), 0.5);
    EXPECT_NEAR(large.ascender(), 2 * small.ascender(), 0.5);
}

TEST(FontTest, EveryFamilyCoversGermanLetters) {
    for (const Font& font : {Font::systemFont(15), Font::named("ChalkboardSE-Regular", 20),
                             Font::named("Georgia", 15)}) {
        TextLayout layout("Größe, Übelkeit, Kopfschmerzen – Ähnliches", font);
        EXPECT_EQ(pango_layout_get_unknown_glyphs_count(layout.pangoLayout()), 0) << font.name();
    }
}

} // namespace
} // namespace florelle
