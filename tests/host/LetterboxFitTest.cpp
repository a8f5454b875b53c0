// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LetterboxFit.h"

#include <gtest/gtest.h>

namespace florelle {
namespace {

constexpr Size screen{320, 480};

TEST(LetterboxFitTest, FillsOneSideAndCentresTheOther) {
    struct Case {
        Size pixels;
        double scale;
        Point offset;
    };
    const Case cases[] = {
        {{640, 960}, 2, {0, 0}},       // the screen's own shape
        {{720, 1440}, 2.25, {0, 180}}, // a tall phone: bars above and below
        {{1440, 960}, 2, {400, 0}},    // a wide window: bars at the sides
        {{1080, 2340}, 3.375, {0, 360}},
        {{200, 300}, 0.625, {0, 0}}, // smaller than the points
        {{0, 0}, 1, {0, 0}},         // minimised
    };
    for (const auto& each : cases) {
        LetterboxFit fit(screen, each.pixels);
        EXPECT_DOUBLE_EQ(fit.scale(), each.scale) << each.pixels.width << "x" << each.pixels.height;
        EXPECT_EQ(fit.offset(), each.offset) << each.pixels.width << "x" << each.pixels.height;
    }
    Rect shown = LetterboxFit(screen, {720, 1440}).contentRect();
    EXPECT_EQ(shown, Rect(0, 180, 720, 1080));
}

TEST(LetterboxFitTest, PointerPositionsMapBackToPoints) {
    LetterboxFit fit(screen, {720, 1440});
    EXPECT_EQ(fit.pointAtPixel({0, 180}), (Point{0, 0}));
    EXPECT_EQ(fit.pointAtPixel({720, 1260}), (Point{320, 480}));
    EXPECT_EQ(fit.pointAtPixel({360, 720}), (Point{160, 240}));
    // On a bar: outside the screen, so nothing is hit.
    EXPECT_LT(fit.pointAtPixel({360, 90}).y, 0);
    // A HiDPI window has half as many units as pixels.
    EXPECT_EQ(fit.pointAtWindowPosition({180, 360}, {360, 720}), (Point{160, 240}));
    EXPECT_EQ(fit.pointAtWindowPosition({360, 720}, {0, 0}), (Point{160, 240}));
    // Touch screens give fractions of the window.
    EXPECT_EQ(fit.pointAtFraction({0.5, 0.5}), (Point{160, 240}));
    EXPECT_EQ(fit.pointAtFraction({1, 0.125}), (Point{320, 0}));
}

} // namespace
} // namespace florelle
