// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPictures.h"
#include "graphics/BitmapContext.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace florelle {
namespace {

using testing::colorNear;

const Color white = Color::white();
const Color red = Color::red();
const Color blue = Color::blue();
const Color clear = Color::clear();

TEST(DrawingTest, FillsRectanglesInPointsAtThePixelScale) {
    BitmapContext bitmap({10, 10}, 2);
    ASSERT_EQ(bitmap.pixelWidth(), 20);
    ASSERT_EQ(bitmap.pixelHeight(), 20);
    bitmap.setFillColor(red);
    bitmap.fillRect({{2, 2}, {4, 4}});
    EXPECT_TRUE(colorNear(bitmap.pixel(4, 4), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(11, 11), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(3, 3), clear));
    EXPECT_TRUE(colorNear(bitmap.pixel(12, 12), clear));
    EXPECT_TRUE(colorNear(bitmap.pixel(-1, 0), clear));
}

TEST(DrawingTest, AlphaAndColourAlphaBlendOverWhatIsThere) {
    BitmapContext bitmap({4, 1}, 1);
    bitmap.setFillColor(white);
    bitmap.fillRect({{0, 0}, {4, 1}});
    bitmap.setFillColor(Color::black());
    bitmap.setAlpha(0.5);
    bitmap.fillRect({{0, 0}, {1, 1}});
    bitmap.setAlpha(1);
    bitmap.setFillColor(Color(0, 0, 1, 0.5));
    bitmap.fillRect({{1, 0}, {1, 1}});
    bitmap.setAlpha(0.5);
    bitmap.fillRect({{2, 0}, {1, 1}});
    EXPECT_TRUE(colorNear(bitmap.pixel(0, 0), Color::white(0.5)));
    EXPECT_TRUE(colorNear(bitmap.pixel(1, 0), Color(0.5, 0.5, 1)));
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 0), Color(0.75, 0.75, 1)));
    EXPECT_TRUE(colorNear(bitmap.pixel(3, 0), white));
}

TEST(DrawingTest, RotationTurnsARectangleAroundTheOrigin) {
    BitmapContext bitmap({100, 100}, 1);
    bitmap.setFillColor(red);
    bitmap.translate(50, 50);
    bitmap.rotate(std::numbers::pi / 4);
    bitmap.fillRect({{-10, -10}, {20, 20}});
    // A square turned by 45° is a diamond: its tips reach 14 points out, its
    // former corners are empty.
    EXPECT_TRUE(colorNear(bitmap.pixelAt({50, 62.5}), red));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({62.5, 50}), red));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({58.5, 58.5}), clear));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({41.5, 41.5}), clear));
}

TEST(DrawingTest, TransformIsReportedInTheContextsOwnPoints) {
    BitmapContext bitmap({10, 10}, 2);
    bitmap.translate(10, 20);
    bitmap.scale(2, 2);
    Point mapped = bitmap.transform().apply({1, 1});
    EXPECT_DOUBLE_EQ(mapped.x, 12);
    EXPECT_DOUBLE_EQ(mapped.y, 22);
}

TEST(DrawingTest, ATransformThatWouldBreakTheContextIsIgnored) {
    BitmapContext bitmap({10, 10}, 1);
    bitmap.scale(0, 0);
    bitmap.scale(std::numeric_limits<double>::infinity(), 1);
    bitmap.concat({std::numeric_limits<double>::quiet_NaN(), 0, 0, 1, 0, 0});
    EXPECT_EQ(bitmap.transform(), AffineTransform::identity());
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {10, 10}});
    EXPECT_TRUE(colorNear(bitmap.pixel(5, 5), red));
}

TEST(DrawingTest, ClipLimitsDrawingUntilRestore) {
    BitmapContext bitmap({10, 10}, 1);
    bitmap.save();
    bitmap.clipToRect({{0, 0}, {5, 10}});
    EXPECT_EQ(bitmap.clipBoundingBox(), (Rect{{0, 0}, {5, 10}}));
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {10, 5}});
    bitmap.restore();
    bitmap.fillRect({{0, 5}, {10, 5}});
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 2), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(7, 2), clear));
    // The fill colour came back with the state of save(): black.
    EXPECT_TRUE(colorNear(bitmap.pixel(7, 7), Color::black()));
}

TEST(DrawingTest, ClipToPathShowsOnlyInsideTheShape) {
    BitmapContext bitmap({20, 20}, 1);
    Path circle;
    circle.addEllipse({{0, 0}, {20, 20}});
    bitmap.clipToPath(circle);
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {20, 20}});
    EXPECT_TRUE(colorNear(bitmap.pixel(10, 10), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(1, 1), clear));
}

TEST(DrawingTest, UnmatchedRestoreDoesNothing) {
    BitmapContext bitmap({4, 4}, 1);
    bitmap.setFillColor(red);
    bitmap.restore();
    bitmap.fillRect({{0, 0}, {4, 4}});
    EXPECT_TRUE(colorNear(bitmap.pixel(1, 1), red));
}

TEST(DrawingTest, StrokesAndEllipses) {
    BitmapContext bitmap({40, 40}, 1);
    bitmap.setStrokeColor(blue);
    bitmap.setLineWidth(4);
    Path line;
    line.moveTo({0, 10});
    line.lineTo({40, 10});
    bitmap.strokePath(line);
    EXPECT_TRUE(colorNear(bitmap.pixel(20, 8), blue));
    EXPECT_TRUE(colorNear(bitmap.pixel(20, 11), blue));
    EXPECT_TRUE(colorNear(bitmap.pixel(20, 13), clear));

    bitmap.setFillColor(red);
    bitmap.fillEllipse({{20, 20}, {20, 20}});
    EXPECT_TRUE(colorNear(bitmap.pixel(30, 30), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(21, 21), clear));
}

TEST(DrawingTest, LinearGradientRunsFromTheFirstColourToTheLast) {
    Gradient gradient{{{0, red}, {1, blue}}};
    BitmapContext bitmap({100, 2}, 1);
    bitmap.drawLinearGradient(gradient, {0, 0}, {100, 0}, false);
    EXPECT_TRUE(colorNear(bitmap.pixel(0, 0), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(99, 0), blue));
    EXPECT_TRUE(colorNear(bitmap.pixel(50, 0), Color(0.5, 0, 0.5), 0.03));
}

TEST(DrawingTest, GradientBeyondItsEndsIsPaintedOnlyWhenExtended) {
    Gradient gradient{{{0, red}, {1, blue}}};
    BitmapContext plain({100, 1}, 1);
    plain.drawLinearGradient(gradient, {25, 0}, {75, 0}, false);
    EXPECT_TRUE(colorNear(plain.pixel(5, 0), clear));
    EXPECT_TRUE(colorNear(plain.pixel(95, 0), clear));

    BitmapContext extended({100, 1}, 1);
    extended.drawLinearGradient(gradient, {25, 0}, {75, 0}, true);
    EXPECT_TRUE(colorNear(extended.pixel(5, 0), red));
    EXPECT_TRUE(colorNear(extended.pixel(95, 0), blue));
}

TEST(DrawingTest, BlendModes) {
    BitmapContext bitmap({3, 1}, 1);
    bitmap.setFillColor(Color(1, 0.5, 0.5));
    bitmap.fillRect({{0, 0}, {3, 1}});
    bitmap.setBlendMode(BlendMode::Multiply);
    bitmap.setFillColor(Color(0.5, 1, 0.5));
    bitmap.fillRect({{0, 0}, {1, 1}});
    bitmap.setBlendMode(BlendMode::Copy);
    bitmap.setFillColor(Color(0, 0, 1, 0.5));
    bitmap.fillRect({{1, 0}, {1, 1}});
    bitmap.clearRect({{2, 0}, {1, 1}});
    EXPECT_TRUE(colorNear(bitmap.pixel(0, 0), Color(0.5, 0.5, 0.25)));
    EXPECT_TRUE(colorNear(bitmap.pixel(1, 0), Color(0, 0, 1, 0.5)));
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 0), clear));
}

TEST(DrawingTest, ShadowFallsAtItsOffsetWhateverTheTransform) {
    BitmapContext bitmap({12, 12}, 2);
    bitmap.scale(2, 2);
    bitmap.setShadow({2, 2}, Color::black());
    bitmap.setFillColor(white);
    bitmap.fillRect({{1, 1}, {2, 2}});
    // The rectangle covers points 2–6; its shadow 4–8 in the context's points.
    EXPECT_TRUE(colorNear(bitmap.pixelAt({3, 3}), white));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({7, 7}), Color::black()));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({5, 5}), white));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({1, 1}), clear));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({9, 9}), clear));
}

TEST(DrawingTest, BlurredShadowFadesOutFromItsShape) {
    BitmapContext bitmap({40, 40}, 2);
    bitmap.setShadow({0, 0}, Color::black(), 6);
    bitmap.setFillColor(white);
    bitmap.fillRect({{10, 10}, {20, 20}});
    double justOutside = bitmap.pixelAt({9, 20}).alpha();
    double further = bitmap.pixelAt({6, 20}).alpha();
    EXPECT_TRUE(colorNear(bitmap.pixelAt({20, 20}), white));
    EXPECT_GT(justOutside, 0.2);
    EXPECT_LT(justOutside, 0.8);
    EXPECT_GT(justOutside, further);
    EXPECT_LT(bitmap.pixelAt({1, 20}).alpha(), 0.02);
    EXPECT_TRUE(colorNear(bitmap.pixelAt({9, 20}), Color(0, 0, 0, justOutside)));
}

TEST(DrawingTest, MaskLetsDrawingThroughOnlyWhereItIsOpaque) {
    BitmapContext maskBitmap({2, 1}, 1);
    maskBitmap.setFillColor(white);
    maskBitmap.fillRect({{0, 0}, {1, 1}});
    Image mask = maskBitmap.image();

    BitmapContext bitmap({20, 10}, 1);
    bitmap.save();
    bitmap.clipToMask({{0, 0}, {20, 10}}, mask);
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {20, 10}});
    bitmap.restore();
    EXPECT_TRUE(colorNear(bitmap.pixel(4, 5), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(15, 5), clear));

    bitmap.setFillColor(blue);
    bitmap.fillRect({{0, 9}, {20, 1}});
    EXPECT_TRUE(colorNear(bitmap.pixel(15, 9), blue));
}

TEST(DrawingTest, MaskAtTheOutermostLevelIsAppliedWhenThePictureIsRead) {
    BitmapContext maskBitmap({1, 2}, 1);
    maskBitmap.setFillColor(white);
    maskBitmap.fillRect({{0, 1}, {1, 1}});

    BitmapContext bitmap({4, 4}, 1);
    bitmap.clipToMask({{0, 0}, {4, 4}}, maskBitmap.image());
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {4, 4}});
    Image result = bitmap.image();
    BitmapContext copy({4, 4}, 1);
    copy.drawImage(result, Point{0, 0});
    EXPECT_TRUE(colorNear(copy.pixel(1, 0), clear));
    EXPECT_TRUE(colorNear(copy.pixel(1, 3), red));
}

TEST(DrawingTest, LuminanceMaskFadesFromBlackToWhite) {
    Gradient greys{{{0, Color::black()}, {1, white}}};
    BitmapContext ramp({1, 100}, 1);
    ramp.drawLinearGradient(greys, {0, 0}, {0, 100}, true);
    Image mask = ramp.image().alphaFromLuminance();

    BitmapContext bitmap({10, 100}, 1);
    bitmap.clipToMask({{0, 0}, {10, 100}}, mask);
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {10, 100}});
    EXPECT_LT(bitmap.pixel(5, 1).alpha(), 0.05);
    EXPECT_NEAR(bitmap.pixel(5, 50).alpha(), 0.5, 0.05);
    EXPECT_TRUE(colorNear(bitmap.pixel(5, 99), red));
}

TEST(DrawingTest, TransparencyLayerIsLaidDownAsOnePicture) {
    BitmapContext bitmap({30, 10}, 1);
    bitmap.setAlpha(0.5);
    bitmap.beginTransparencyLayer();
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {20, 10}});
    bitmap.fillRect({{10, 0}, {20, 10}});
    bitmap.endTransparencyLayer();
    // Overlapping shapes inside the layer do not add up.
    EXPECT_TRUE(colorNear(bitmap.pixel(15, 5), Color(1, 0, 0, 0.5)));
    EXPECT_TRUE(colorNear(bitmap.pixel(5, 5), Color(1, 0, 0, 0.5)));
    EXPECT_DOUBLE_EQ(bitmap.alpha(), 0.5);
}

TEST(DrawingTest, EndingTheContextLaysDownOpenLayersAndMasks) {
    CairoSurface target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4));
    {
        GraphicsContext context(target, 1);
        context.setAlpha(0.5);
        context.beginTransparencyLayer();
        context.save();
        context.setFillColor(red);
        context.fillRect({{0, 0}, {4, 4}});
    }
    BitmapContext copy({4, 4}, 1);
    copy.drawImage(Image::fromSurface(target, 1), Point{0, 0});
    EXPECT_TRUE(colorNear(copy.pixel(2, 2), Color(1, 0, 0, 0.5)));
}

TEST(DrawingTest, PatternColourRepeatsItsPicture) {
    BitmapContext tile({2, 1}, 1);
    tile.setFillColor(red);
    tile.fillRect({{0, 0}, {1, 1}});
    tile.setFillColor(blue);
    tile.fillRect({{1, 0}, {1, 1}});

    BitmapContext bitmap({6, 2}, 1);
    bitmap.setFillColor(white);
    bitmap.fillRect({{0, 0}, {6, 2}});
    bitmap.setFillColor(Color::pattern(tile.image()));
    bitmap.fillRect({{0, 0}, {6, 1}});
    bitmap.setFillColor(Color::pattern(tile.image()).withAlpha(0.5));
    bitmap.fillRect({{0, 1}, {6, 1}});
    EXPECT_TRUE(colorNear(bitmap.pixel(0, 0), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(3, 0), blue));
    EXPECT_TRUE(colorNear(bitmap.pixel(4, 0), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(4, 1), Color(1, 0.5, 0.5)));
}

TEST(DrawingTest, PictureCanBeSavedAsPng) {
    testing::TempDirectory folder;
    BitmapContext bitmap({3, 2}, 2);
    bitmap.setFillColor(red);
    bitmap.fillRect({{0, 0}, {3, 2}});
    ASSERT_TRUE(bitmap.savePng(folder.path() / "out.png"));
    Image loaded = Image::fromFile(folder.path() / "out.png", 2);
    EXPECT_EQ(loaded.pixelWidth(), 6);
    EXPECT_EQ(loaded.size(), (Size{3, 2}));
    testing::LogCapture log;
    EXPECT_FALSE(bitmap.savePng(folder.path() / "missing" / "out.png"));
    EXPECT_TRUE(log.contains("cannot be written"));
}

} // namespace
} // namespace florelle
