// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/Image.h"

#include "TestPictures.h"
#include "foundation/Bundle.h"
#include "graphics/BitmapContext.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace florelle {
namespace {

using testing::colorNear;
using testing::TestPictures;

const Color red = Color::red();
const Color green = Color::green();
const Color blue = Color::blue();
const Color clear = Color::clear();

class ImageTest : public testing::DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        resources_ = documents_->path() / "resources";
        std::filesystem::create_directories(resources_ / "Cal.bundle");
        Bundle::setResourceDirectory(resources_);
    }
    void TearDown() override {
        Bundle::setResourceDirectory(std::nullopt);
        DiaryTest::TearDown();
    }
    long logLinesMentioning(std::string_view fragment) const {
        auto lines = log_->lines();
        return std::count_if(lines.begin(), lines.end(), [fragment](const std::string& line) {
            return line.find(fragment) != std::string::npos;
        });
    }

    std::filesystem::path resources_;
};

// Three columns of colour: left cap, middle, right part.
Color capColumns(int x, int leftCap, int middle) {
    if (x < leftCap) {
        return red;
    }
    return x < leftCap + middle ? green : blue;
}

TEST_F(ImageTest, PngAndJpegLoadWithTheirSizes) {
    TestPictures::writePng(resources_ / "dot.png", 6, 4, red);
    TestPictures::writeJpeg(resources_ / "bg_0.jpg", 8, 6, Color(0.2, 0.4, 0.8));

    Image png = Image::fromFile(resources_ / "dot.png");
    EXPECT_EQ(png.size(), (Size{6, 4}));
    EXPECT_EQ(png.withScale(2).size(), (Size{3, 2}));
    Image jpeg = Image::named("bg_0.jpg");
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_EQ(jpeg.size(), (Size{8, 6}));
    EXPECT_EQ(jpeg.scale(), 1);

    BitmapContext bitmap({8, 6}, 1);
    bitmap.drawImage(jpeg, Point{0, 0});
    EXPECT_TRUE(colorNear(bitmap.pixel(4, 3), Color(0.2, 0.4, 0.8), 0.03));
}

TEST_F(ImageTest, DoubleResolutionPictureIsPreferredAndKeepsThePointSize) {
    TestPictures::writePng(resources_ / "pen_icon.png", 14, 14, red);
    TestPictures::writePng(resources_ / "pen_icon@2x.png", 28, 28, blue);
    TestPictures::writePng(resources_ / "Cal.bundle/cal_tile.png", 46, 44, green);

    Image pen = Image::named("pen_icon.png");
    EXPECT_EQ(pen.scale(), 2);
    EXPECT_EQ(pen.pixelWidth(), 28);
    EXPECT_EQ(pen.size(), (Size{14, 14}));
    EXPECT_EQ(Image::named("pen_icon").scale(), 2);

    Image tile = Image::named("Cal.bundle/cal_tile.png");
    EXPECT_EQ(tile.scale(), 1);
    EXPECT_EQ(tile.size(), (Size{46, 44}));
}

TEST_F(ImageTest, MissingPictureIsLoggedOnceAndDrawsNothing) {
    Image first = Image::named("period.png");
    Image second = Image::named("period.png");
    EXPECT_TRUE(first.isEmpty());
    EXPECT_TRUE(second.isEmpty());
    EXPECT_EQ(first.size(), (Size{0, 0}));
    EXPECT_EQ(logLinesMentioning("\"period.png\" is missing"), 1);

    BitmapContext bitmap({10, 10}, 2);
    bitmap.drawImage(first, Rect{{0, 0}, {10, 10}});
    bitmap.drawTiledImage(first, Rect{{0, 0}, {10, 10}});
    bitmap.setFillColor(Color::pattern(first));
    bitmap.fillRect({{0, 0}, {10, 10}});
    EXPECT_TRUE(colorNear(bitmap.pixel(5, 5), clear));
}

TEST_F(ImageTest, DamagedOrHugePicturesAreRefusedWithALogLine) {
    {
        std::ofstream(resources_ / "broken.png", std::ios::binary) << "\x89PNG\r\n\x1a\nshort";
        // A header claiming 100000 × 100000 pixels.
        const unsigned char header[] = {0x89, 'P', 'N',  'G',  '\r', '\n', 0x1A, '\n', 0,    0,
                                        0,    13,  'I',  'H',  'D',  'R',  0,    1,    0x86, 0xA0,
                                        0,    1,   0x86, 0xA0, 8,    6,    0,    0,    0};
        std::ofstream(resources_ / "huge.png", std::ios::binary)
            .write(reinterpret_cast<const char*>(header), sizeof header);
        std::ofstream(resources_ / "text.png", std::ios::binary) << "not a picture";
    }
    EXPECT_TRUE(Image::named("broken.png").isEmpty());
    EXPECT_TRUE(Image::named("huge.png").isEmpty());
    EXPECT_TRUE(Image::named("text.png").isEmpty());
    EXPECT_TRUE(Image::fromFile(resources_ / "absent.png").isEmpty());
    EXPECT_EQ(logLinesMentioning("broken.png"), 1);
    EXPECT_EQ(logLinesMentioning("larger than"), 1);
    EXPECT_EQ(logLinesMentioning("neither PNG nor JPEG"), 1);
    EXPECT_EQ(logLinesMentioning("absent.png\" cannot be read"), 1);
}

TEST_F(ImageTest, StretchedPictureKeepsItsCaps) {
    TestPictures::writePng(resources_ / "cap.png", 7, 3,
                           [](int x, int) { return capColumns(x, 3, 1); });
    Image image = Image::named("cap.png").stretchable(3, 0);

    BitmapContext bitmap({40, 6}, 1);
    bitmap.drawImage(image, Rect{{0, 0}, {40, 6}});
    for (int x : {0, 2}) {
        EXPECT_TRUE(colorNear(bitmap.pixel(x, 3), red)) << x;
    }
    for (int x : {3, 20, 36}) {
        EXPECT_TRUE(colorNear(bitmap.pixel(x, 3), green)) << x;
    }
    for (int x : {37, 39}) {
        EXPECT_TRUE(colorNear(bitmap.pixel(x, 3), blue)) << x;
    }
}

TEST_F(ImageTest, StretchedDoubleResolutionPictureKeepsItsCapsInPoints) {
    TestPictures::writePng(resources_ / "tile@2x.png", 14, 6,
                           [](int x, int) { return capColumns(x, 6, 2); });
    Image image = Image::named("tile.png").stretchable(3, 0);

    BitmapContext bitmap({40, 3}, 2);
    bitmap.drawImage(image, Rect{{0, 0}, {40, 3}});
    EXPECT_TRUE(colorNear(bitmap.pixelAt({2.5, 1}), red));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({3.25, 1}), green));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({36.75, 1}), green));
    EXPECT_TRUE(colorNear(bitmap.pixelAt({37.25, 1}), blue));
}

TEST_F(ImageTest, CapsShrinkWhenTheRectangleIsSmallerThanThem) {
    TestPictures::writePng(resources_ / "cap.png", 7, 1,
                           [](int x, int) { return capColumns(x, 3, 1); });
    Image image = Image::named("cap.png").stretchable(3, 0);
    BitmapContext bitmap({3, 1}, 1);
    bitmap.drawImage(image, Rect{{0, 0}, {3, 1}});
    EXPECT_TRUE(colorNear(bitmap.pixel(0, 0), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 0), blue));
}

TEST_F(ImageTest, TopCapIsKeptToo) {
    TestPictures::writePng(resources_ / "column.png", 1, 5,
                           [](int, int y) { return capColumns(y, 2, 1); });
    Image image = Image::named("column.png").stretchable(0, 2);
    BitmapContext bitmap({4, 20}, 1);
    bitmap.drawImage(image, Rect{{0, 0}, {4, 20}});
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 1), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 10), green));
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 18), blue));
}

struct OrientationCase {
    ImageOrientation orientation;
    Size size;
    Point redAt;
    Point blueAt;
};

TEST_F(ImageTest, OrientationTurnsSizeAndPixels) {
    // Stored: 2 × 1 pixels, red on the left, blue on the right.
    TestPictures::writePng(resources_ / "pair.png", 2, 1,
                           [](int x, int) { return x == 0 ? red : blue; });
    const OrientationCase cases[] = {
        {ImageOrientation::Up, {2, 1}, {0.5, 0.5}, {1.5, 0.5}},
        {ImageOrientation::Down, {2, 1}, {1.5, 0.5}, {0.5, 0.5}},
        {ImageOrientation::UpMirrored, {2, 1}, {1.5, 0.5}, {0.5, 0.5}},
        {ImageOrientation::DownMirrored, {2, 1}, {0.5, 0.5}, {1.5, 0.5}},
        {ImageOrientation::Right, {1, 2}, {0.5, 0.5}, {0.5, 1.5}},
        {ImageOrientation::Left, {1, 2}, {0.5, 1.5}, {0.5, 0.5}},
        {ImageOrientation::LeftMirrored, {1, 2}, {0.5, 0.5}, {0.5, 1.5}},
        {ImageOrientation::RightMirrored, {1, 2}, {0.5, 1.5}, {0.5, 0.5}},
    };
    for (const auto& row : cases) {
        Image image = Image::named("pair.png").withOrientation(row.orientation);
        EXPECT_EQ(image.size(), row.size) << static_cast<int>(row.orientation);
        BitmapContext bitmap(row.size, 1);
        bitmap.drawImage(image, Point{0, 0});
        EXPECT_TRUE(colorNear(bitmap.pixelAt(row.redAt), red)) << static_cast<int>(row.orientation);
        EXPECT_TRUE(colorNear(bitmap.pixelAt(row.blueAt), blue))
            << static_cast<int>(row.orientation);
    }
}

TEST_F(ImageTest, TiledPictureRepeatsFromTheRectanglesCorner) {
    TestPictures::writePng(resources_ / "pair.png", 2, 1,
                           [](int x, int) { return x == 0 ? red : blue; });
    BitmapContext bitmap({11, 3}, 1);
    bitmap.drawTiledImage(Image::named("pair.png"), {{1, 0}, {10, 3}});
    EXPECT_TRUE(colorNear(bitmap.pixel(0, 1), clear));
    EXPECT_TRUE(colorNear(bitmap.pixel(1, 1), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(2, 2), blue));
    EXPECT_TRUE(colorNear(bitmap.pixel(9, 0), red));
    EXPECT_TRUE(colorNear(bitmap.pixel(10, 0), blue));
}

TEST_F(ImageTest, PictureIsDrawnWithTheContextsAlpha) {
    TestPictures::writePng(resources_ / "dot.png", 2, 2, red);
    BitmapContext bitmap({2, 2}, 1);
    bitmap.setFillColor(Color::white());
    bitmap.fillRect({{0, 0}, {2, 2}});
    bitmap.setAlpha(0.5);
    bitmap.drawImage(Image::named("dot.png"), Point{0, 0});
    EXPECT_TRUE(colorNear(bitmap.pixel(1, 1), Color(1, 0.5, 0.5)));
}

} // namespace
} // namespace florelle
