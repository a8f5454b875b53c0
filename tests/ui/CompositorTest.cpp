// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Compositor.h"

#include "UiTest.h"
#include "graphics/BitmapContext.h"
#include "ui/BasicAnimation.h"
#include "ui/Label.h"

#include <cstring>
#include <functional>
#include <numbers>

namespace florelle::testing {
namespace {

// A square of colour that counts how often it draws.
class CountingView : public View {
public:
    CountingView(const Rect& frame, const Color& color) : View(frame), color_(color) {}
    void draw(GraphicsContext& context, const Rect& dirty) override {
        ++draws;
        context.setFillColor(color_);
        context.fillEllipse(dirty);
    }
    int draws = 0;

private:
    Color color_;
};

// The window laid down at scale 2 into a frame kept between composites.
class CompositorTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        window_->setBackgroundColor(Color::white());
    }

    const PixelRegion& composite() {
        return compositor_.composite({window_.get()}, {frame_, area(), Color::black()});
    }

    // The kept frame matches the window drawn afresh, byte for byte.
    ::testing::AssertionResult matchesAfresh() {
        BitmapContext fresh(window_->bounds().size, 2);
        Compositor::drawAfresh({window_.get()}, {fresh, area(), Color::black()});
        int bytes = frame_.bytesPerRow() * frame_.pixelHeight();
        if (std::memcmp(frame_.data(), fresh.data(), static_cast<std::size_t>(bytes)) == 0) {
            return ::testing::AssertionSuccess();
        }
        for (int y = 0; y < frame_.pixelHeight(); ++y) {
            for (int x = 0; x < frame_.pixelWidth(); ++x) {
                if (!(frame_.pixel(x, y) == fresh.pixel(x, y))) {
                    return ::testing::AssertionFailure()
                           << "pixel " << x << ", " << y << " differs";
                }
            }
        }
        return ::testing::AssertionFailure() << "the bytes differ";
    }

    static Rect area() { return {0, 0, 640, 960}; }

    Compositor compositor_;
    BitmapContext frame_{Size{320, 480}, 2};
};

TEST_F(CompositorTest, AViewIsNotDrawnAgainWhileItMovesFadesAndTurns) {
    auto parent = std::make_shared<View>(Rect(20, 20, 200, 200));
    auto box = std::make_shared<CountingView>(Rect(10, 10, 40, 40), Color::red());
    parent->addSubview(box);
    window_->addSubview(parent);
    composite();
    ASSERT_EQ(box->draws, 1);

    View::animate(1, 0, AnimationCurve::linear, [&] {
        box->setCenter({150, 60});
        box->setAlpha(0.3);
        box->setTransform(AffineTransform::rotation(std::numbers::pi / 5));
        parent->setCenter({160, 200});
    });
    auto spin = std::make_shared<BasicAnimation>("transform");
    spin->setToValue(AffineTransform::scale(2, 0.5));
    spin->setDuration(1);
    box->addAnimation(spin, "spin");
    for (int frame = 0; frame < 10; ++frame) {
        advance(0.1);
        EXPECT_FALSE(composite().isEmpty()) << "frame " << frame;
    }
    EXPECT_EQ(box->draws, 1) << "moved, faded and turned from what it drew once";

    box->setNeedsDisplay();
    composite();
    EXPECT_EQ(box->draws, 2) << "asked for display";
    box->setFrame(Rect(10, 10, 60, 40));
    composite();
    EXPECT_EQ(box->draws, 3) << "resized";
    EXPECT_TRUE(matchesAfresh());
}

TEST_F(CompositorTest, AFrameLaysDownOnlyWhatChanged) {
    std::shared_ptr<CountingView> box;
    std::shared_ptr<CountingView> other;
    auto build = [&] {
        for (const auto& view : std::vector<std::shared_ptr<View>>(window_->subviews())) {
            view->removeFromSuperview();
        }
        box = std::make_shared<CountingView>(Rect(10, 10, 20, 20), Color::red());
        other = std::make_shared<CountingView>(Rect(20, 20, 20, 20), Color::blue());
        window_->addSubview(box);
        window_->addSubview(other);
        composite();
    };
    // At scale 2: the box covers pixels 20…60, the other 40…80.
    const Rect boxPixels(20, 20, 40, 40);
    const Rect otherPixels(40, 40, 40, 40);
    struct Row {
        const char* what;
        std::function<void()> change;
        std::vector<Rect> damaged;
    };
    const Row rows[] = {
        {"moved",
         [&] {
             box->setCenter({220, 20});
         },
         {boxPixels, Rect(420, 20, 40, 40)}},
        {"drawn again", [&] { box->setNeedsDisplay(); }, {boxPixels}},
        {"faded", [&] { box->setAlpha(0.5); }, {boxPixels}},
        {"hidden", [&] { box->setHidden(true); }, {boxPixels}},
        {"removed", [&] { other->removeFromSuperview(); }, {otherPixels}},
        {"restacked", [&] { window_->bringSubviewToFront(box.get()); }, {boxPixels, otherPixels}},
        {"turned",
         [&] { box->setTransform(AffineTransform::rotation(std::numbers::pi / 2)); },
         {boxPixels}},
        {"nothing", [] {}, {}},
    };
    for (const auto& row : rows) {
        build();
        long frames = compositor_.frameCount();
        row.change();
        PixelRegion expected;
        for (const Rect& rect : row.damaged) {
            expected.add(rect);
        }
        const PixelRegion& damage = composite();
        EXPECT_EQ(damage.rects(), expected.rects()) << row.what;
        EXPECT_EQ(compositor_.frameCount(), frames + (row.damaged.empty() ? 0 : 1)) << row.what;
        EXPECT_TRUE(matchesAfresh()) << row.what;
    }
}

TEST_F(CompositorTest, FramesMatchTheTreeDrawnAfreshThroughChanges) {
    // A translucent group, a clipping view with a child reaching out, a
    // turned label, a view growing under a size animation and one that
    // stretches what it drew as it grows.
    auto group = std::make_shared<CountingView>(Rect(30, 30, 120, 80), Color::green());
    group->setAlpha(0.6);
    group->addSubview(std::make_shared<CountingView>(Rect(20, 20, 120, 40), Color::blue()));
    auto clipper = std::make_shared<View>(Rect(160, 30, 100, 100));
    clipper->setBackgroundColor(Color(0.9, 0.8, 0.2));
    clipper->setClipsToBounds(true);
    auto reaching = std::make_shared<CountingView>(Rect(50, 50, 100, 100), Color::red());
    clipper->addSubview(reaching);
    auto label = std::make_shared<Label>(Rect(40, 200, 200, 40));
    label->setText("Period day 3");
    label->setTransform(AffineTransform::rotation(0.2));
    auto growing = std::make_shared<CountingView>(Rect(60, 300, 40, 40), Color::blue());
    auto stretching = std::make_shared<CountingView>(Rect(200, 380, 30, 50), Color::green());
    stretching->setStretchesContent(true);
    for (const auto& view :
         std::vector<std::shared_ptr<View>>{group, clipper, label, growing, stretching}) {
        window_->addSubview(view);
    }
    composite();
    ASSERT_TRUE(matchesAfresh());

    for (View* view : std::vector<View*>{growing.get(), stretching.get()}) {
        auto grow = std::make_shared<BasicAnimation>("bounds.size");
        grow->setToValue(Size{200, 120});
        grow->setDuration(0.5);
        view->addAnimation(grow, "grow");
    }
    View::animate(0.5, [&] {
        group->setAlpha(1);
        reaching->setCenter({10, 10});
        label->setTransform(AffineTransform::rotation(std::numbers::pi / 2));
        clipper->setCenter({210.25, 300.5});
    });
    label->setText("Period day 4");
    // Only the label, for its new text, and the growing view, for each size
    // it is shown at, draw again (the stretching one never); the size
    // animation ends after 0.5 s.
    const int drawn[] = {2, 1, 1, 1, 1, 1, 1, 0};
    for (int frame = 0; frame < 8; ++frame) {
        advance(0.075);
        composite();
        EXPECT_EQ(compositor_.lastDrawCount(), drawn[frame]) << "frame " << frame;
        EXPECT_TRUE(matchesAfresh()) << "frame " << frame;
    }
}

} // namespace
} // namespace florelle::testing
