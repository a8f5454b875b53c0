// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "graphics/BitmapContext.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewRenderer.h"

#include <cairo.h>

namespace florelle::testing {
namespace {

bool near(const Color& actual, const Color& expected) {
    constexpr double tolerance = 0.03;
    return std::abs(actual.redComponent() - expected.redComponent()) < tolerance &&
           std::abs(actual.greenComponent() - expected.greenComponent()) < tolerance &&
           std::abs(actual.blueComponent() - expected.blueComponent()) < tolerance &&
           std::abs(actual.alpha() - expected.alpha()) < tolerance;
}

// A picture of one colour made in memory.
Image solidImage(Size size, const Color& color, double scale = 1) {
    BitmapContext bitmap(size, scale);
    bitmap.setFillColor(color);
    bitmap.fillRect(Rect(Point{}, size));
    return bitmap.image();
}

// Counts the pixels of a colour in a rectangle of points.
int countPixels(BitmapContext& bitmap, const Rect& area, const Color& color) {
    int count = 0;
    for (double y = area.minY() + 0.5; y < area.maxY(); y += 1) {
        for (double x = area.minX() + 0.5; x < area.maxX(); x += 1) {
            count += near(bitmap.pixelAt({x, y}), color) ? 1 : 0;
        }
    }
    return count;
}

class ViewDrawingTest : public UiTest {
protected:
    // Renders a 100 × 100 white root holding the view.
    BitmapContext& render(const std::shared_ptr<View>& view) {
        root_ = std::make_shared<View>(Rect(0, 0, 100, 100));
        root_->setBackgroundColor(Color::white());
        root_->addSubview(view);
        bitmap_ = std::make_unique<BitmapContext>(Size{100, 100}, 1);
        ViewRenderer::render(*root_, *bitmap_);
        return *bitmap_;
    }

    std::shared_ptr<View> root_;
    std::unique_ptr<BitmapContext> bitmap_;
};

TEST_F(ViewDrawingTest, RendererMarksTheTreeDrawnUntilSomethingChanges) {
    auto view = std::make_shared<View>(Rect(0, 0, 10, 10));
    EXPECT_TRUE(ViewRenderer::needsRender(*view));
    BitmapContext bitmap({10, 10}, 1);
    ViewRenderer::render(*view, bitmap);
    EXPECT_FALSE(ViewRenderer::needsRender(*view));
    view->setBackgroundColor(Color::red());
    EXPECT_TRUE(ViewRenderer::needsRender(*view));
    ViewRenderer::render(*view, bitmap);
    view->setBackgroundColor(Color::red());
    EXPECT_FALSE(ViewRenderer::needsRender(*view)) << "an unchanged colour is no change";
}

TEST_F(ViewDrawingTest, RendererShowsTheAnimationNotTheModel) {
    auto view = std::make_shared<View>(Rect(0, 0, 20, 20));
    view->setBackgroundColor(Color::red());
    root_ = std::make_shared<View>(Rect(0, 0, 100, 100));
    root_->addSubview(view);
    View::animate(1, 0, AnimationCurve::linear, [&] { view->setCenter({90, 10}); });
    advance(0.5);
    BitmapContext bitmap({100, 100}, 1);
    ViewRenderer::render(*root_, bitmap);
    EXPECT_TRUE(near(bitmap.pixelAt({50, 10}), Color::red()));
    EXPECT_TRUE(near(bitmap.pixelAt({90, 10}), Color::clear()));
    ViewRenderer::render(*root_, bitmap);
    advance(0.6);
    EXPECT_TRUE(ViewRenderer::needsRender(*root_)) << "animation ticks mark the tree";
}

TEST_F(ViewDrawingTest, LabelDrawsItsTextInItsColourInTheVerticalMiddle) {
    auto label = std::make_shared<Label>(Rect(0, 0, 100, 60));
    label->setText("MM");
    label->setFont(Font::boldSystemFont(20));
    label->setTextColor(Color::blue());
    auto& bitmap = render(label);
    EXPECT_GT(countPixels(bitmap, Rect(0, 20, 100, 20), Color::blue()), 40);
    EXPECT_EQ(countPixels(bitmap, Rect(0, 0, 100, 15), Color::blue()), 0);
    EXPECT_EQ(countPixels(bitmap, Rect(0, 45, 100, 15), Color::blue()), 0);
    EXPECT_EQ(countPixels(bitmap, Rect(60, 0, 40, 60), Color::blue()), 0) << "left aligned";
}

TEST_F(ViewDrawingTest, LabelAlignmentAndShadow) {
    auto label = std::make_shared<Label>(Rect(0, 0, 100, 30));
    label->setText("MM");
    label->setFont(Font::boldSystemFont(20));
    label->setTextColor(Color::blue());
    label->setTextAlignment(TextAlignment::Right);
    label->setShadowColor(Color::red());
    label->setShadowOffset({3, 3});
    auto& bitmap = render(label);
    EXPECT_EQ(countPixels(bitmap, Rect(0, 0, 50, 30), Color::blue()), 0);
    EXPECT_GT(countPixels(bitmap, Rect(50, 0, 50, 30), Color::blue()), 20);
    EXPECT_GT(countPixels(bitmap, Rect(50, 0, 50, 30), Color::red()), 5);
}

TEST_F(ViewDrawingTest, LabelSizeToFitWrapsWithinItsWidthOnSeveralLines) {
    Label label(Rect(10, 10, 1, 1));
    label.setText("Period day 12");
    label.sizeToFit();
    Size one = label.frame().size;
    EXPECT_GT(one.width, 60);
    EXPECT_LT(one.height, 30);
    EXPECT_EQ(label.frame().origin, (Point{10, 10}));

    label.setNumberOfLines(0);
    label.setFrame(Rect(10, 10, 60, 1));
    label.sizeToFit();
    EXPECT_EQ(label.frame().size.width, 60);
    EXPECT_GT(label.frame().size.height, one.height * 1.5);

    label.setText("");
    EXPECT_EQ(label.sizeThatFits({}), (Size{}));
}

TEST_F(ViewDrawingTest, ImageViewContentModes) {
    Image picture = solidImage({10, 20}, Color::red(), 2);
    auto imageView = std::make_shared<ImageView>(picture);
    EXPECT_EQ(imageView->frame(), Rect(0, 0, 10, 20)) << "takes the picture's size in points";

    struct Row {
        ContentMode mode;
        Rect red;
    };
    const Row rows[] = {
        {ContentMode::scaleToFill, Rect(0, 0, 80, 40)},
        {ContentMode::scaleAspectFit, Rect(30, 0, 20, 40)},
        {ContentMode::center, Rect(35, 10, 10, 20)},
    };
    for (const auto& row : rows) {
        auto view = std::make_shared<ImageView>(Rect(0, 0, 80, 40));
        view->setImage(picture);
        view->setContentMode(row.mode);
        auto& bitmap = render(view);
        int expected = static_cast<int>(row.red.width() * row.red.height());
        EXPECT_EQ(countPixels(bitmap, Rect(0, 0, 80, 40), Color::red()), expected)
            << static_cast<int>(row.mode);
        EXPECT_EQ(countPixels(bitmap, row.red, Color::red()), expected);
    }
}

TEST_F(ViewDrawingTest, ButtonDrawsThePictureAndTitleColourOfItsState) {
    auto button = std::make_shared<Button>(Rect(0, 0, 100, 40));
    button->setBackgroundImage(solidImage({10, 10}, Color::blue()));
    button->setBackgroundImage(solidImage({10, 10}, Color::green()), controlStateSelected);
    button->setTitle("MM");
    button->setTitleColor(Color::red());
    button->setTitleColor(Color::yellow(), controlStateSelected);

    auto& normal = render(button);
    EXPECT_TRUE(near(normal.pixelAt({2, 2}), Color::blue()));
    EXPECT_GT(countPixels(normal, Rect(30, 0, 40, 40), Color::red()), 10);

    button->setSelected(true);
    auto& selected = render(button);
    EXPECT_TRUE(near(selected.pixelAt({2, 2}), Color::green()));
    EXPECT_GT(countPixels(selected, Rect(30, 0, 40, 40), Color::yellow()), 10);
    EXPECT_EQ(countPixels(selected, Rect(0, 0, 100, 40), Color::red()), 0);
    EXPECT_EQ(button->displayedText(), "MM");
}

TEST_F(ViewDrawingTest, ButtonStandsInForMissingHighlightedAndDisabledPictures) {
    auto button = std::make_shared<Button>(Rect(0, 0, 20, 20));
    button->setBackgroundImage(solidImage({10, 10}, Color::white()));
    button->setHighlighted(true);
    auto& highlighted = render(button);
    Color darkened = highlighted.pixelAt({10, 10});
    EXPECT_LT(darkened.redComponent(), 0.8) << "darkened";
    EXPECT_GT(darkened.redComponent(), 0.3);

    button->setHighlighted(false);
    button->setEnabled(false);
    root_->setBackgroundColor(Color::black());
    BitmapContext faded({100, 100}, 1);
    ViewRenderer::render(*root_, faded);
    Color shown = faded.pixelAt({10, 10});
    EXPECT_GT(shown.redComponent(), 0.2) << "faded over black";
    EXPECT_LT(shown.redComponent(), 0.7);
}

} // namespace
} // namespace florelle::testing
