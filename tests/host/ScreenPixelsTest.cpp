// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostTest.h"
#include "foundation/RunLoop.h"
#include "graphics/BitmapContext.h"
#include "host/StatusBar.h"
#include "ui/Animator.h"

#include <numbers>

namespace florelle::testing {
namespace {

std::shared_ptr<View> box(const Rect& frame, const Color& color) {
    auto view = std::make_shared<View>(frame);
    view->setBackgroundColor(color);
    return view;
}

class ScreenPixelsTest : public HostTest {
protected:
    // The screen at scale 2, read back by points.
    BitmapContext& shoot() {
        bitmap_ = std::make_unique<BitmapContext>(HostScreen::size, host_->scale());
        host_->screen().render(host_->application(), *bitmap_);
        return *bitmap_;
    }

    // A white window with a red square of 20 points at (0, 100).
    std::shared_ptr<View> launchWithSquare() {
        std::shared_ptr<View> square;
        launch([&](Window& window) {
            window.setBackgroundColor(Color::white());
            square = box(Rect(0, 100, 20, 20), Color::red());
            window.addSubview(square);
        });
        return square;
    }

    std::unique_ptr<BitmapContext> bitmap_;
};

TEST_F(ScreenPixelsTest, AKnownTreeShowsItsColoursAlphaRotationAndClipping) {
    launch([](Window& window) {
        window.setBackgroundColor(Color::white());
        window.addSubview(box(Rect(10, 30, 40, 40), Color::red()));
        auto translucent = box(Rect(60, 30, 40, 40), Color::blue());
        translucent->setAlpha(0.5);
        window.addSubview(translucent);
        // A translucent parent is composed as one picture: its overlapping
        // child does not let the parent show through.
        auto group = box(Rect(110, 30, 40, 40), Color::red());
        group->setAlpha(0.5);
        group->addSubview(box(Rect(0, 0, 20, 40), Color::blue()));
        window.addSubview(group);
        auto turned = box(Rect(180, 30, 40, 40), Color::green());
        turned->setTransform(AffineTransform::rotation(std::numbers::pi / 4));
        window.addSubview(turned);
        auto clipper = box(Rect(10, 100, 40, 40), Color::white());
        clipper->setClipsToBounds(true);
        clipper->addSubview(box(Rect(20, 20, 60, 60), Color::red()));
        window.addSubview(clipper);
        auto unclipped = box(Rect(110, 100, 40, 40), Color::white());
        unclipped->addSubview(box(Rect(20, 20, 60, 60), Color::blue()));
        window.addSubview(unclipped);
        auto hidden = box(Rect(200, 100, 40, 40), Color::red());
        hidden->setHidden(true);
        window.addSubview(hidden);
    });
    auto& shot = shoot();
    EXPECT_EQ(shot.pixelWidth(), 640);
    EXPECT_EQ(shot.pixelHeight(), 960);

    struct Row {
        const char* what;
        Point point;
        Color color;
    };
    const Row rows[] = {
        {"status bar", {5, 5}, Color::black()},
        {"opaque", {30, 50}, Color::red()},
        {"half transparent over white", {80, 50}, Color(0.5, 0.5, 1)},
        {"group: child over parent, as one", {115, 50}, Color(0.5, 0.5, 1)},
        {"group: parent alone", {145, 50}, Color(1, 0.5, 0.5)},
        {"turned: tip beyond the old side", {200, 22.5}, Color::green()},
        {"turned: old corner now empty", {182, 32}, Color::white()},
        {"clipped child inside", {45, 135}, Color::red()},
        {"clipped child outside", {55, 145}, Color::white()},
        {"unclipped child outside", {155, 145}, Color::blue()},
        {"hidden", {220, 120}, Color::white()},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(colorNear(shot.pixelAt(row.point), row.color)) << row.what;
    }
}

TEST_F(ScreenPixelsTest, APhoneSizedPictureFitsTheScreenBetweenBars) {
    launch([](Window& window) {
        window.setBackgroundColor(Color::white());
        window.addSubview(box(Rect(0, 440, 40, 40), Color::red()));
        window.addSubview(box(Rect(280, 20, 40, 40), Color::blue()));
    });
    host_->setPixelSize(Size{720, 1440});
    Image picture = host_->render();
    EXPECT_EQ(picture.pixelWidth(), 720);
    EXPECT_EQ(picture.pixelHeight(), 1440);

    auto fit = host_->fit();
    BitmapContext bitmap({320, 640}, fit.scale());
    host_->screen().render(host_->application(), bitmap, fit);
    // 2.25 pixels a point, 180 pixels of black above and below.
    struct Row {
        const char* what;
        int x;
        int y;
        Color color;
    };
    const Row rows[] = {
        {"bar above", 360, 179, Color::black()},
        {"status bar", 360, 185, Color::black()},
        {"window under the status bar", 360, 180 + 50, Color::white()},
        {"bottom-left corner", 2, 1257, Color::red()},
        {"top-right corner, under the status bar", 717, 180 + 46, Color::blue()},
        {"bar below", 360, 1261, Color::black()},
        {"middle, not stretched", 360, 720, Color::white()},
        {"right of the red square", 92, 1257, Color::white()},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(colorNear(bitmap.pixel(row.x, row.y), row.color)) << row.what;
    }
}

TEST_F(ScreenPixelsTest, RendersOnlyAfterAChange) {
    std::shared_ptr<View> square;
    launch([&](Window& window) {
        square = box(Rect(0, 100, 10, 10), Color::red());
        window.addSubview(square);
    });
    EXPECT_TRUE(host_->screen().needsRender(host_->application()));
    shoot();
    EXPECT_FALSE(host_->screen().needsRender(host_->application()));
    square->setBackgroundColor(Color::blue());
    EXPECT_TRUE(host_->screen().needsRender(host_->application()));
    shoot();
    host_->advance(30);
    EXPECT_FALSE(host_->screen().needsRender(host_->application()))
        << "nothing shown changes within the minute";
    host_->advance(31);
    EXPECT_TRUE(host_->screen().needsRender(host_->application())) << "the status bar's minute";
}

TEST_F(ScreenPixelsTest, AnimationsAreShownAsManualTimePasses) {
    auto square = launchWithSquare();
    View::animate(0.4, 0, AnimationCurve::linear, [&] { square->setCenter({210, 110}); });
    host_->advance(0.2);
    auto& half = shoot();
    EXPECT_TRUE(colorNear(half.pixelAt({110, 110}), Color::red()));
    EXPECT_TRUE(colorNear(half.pixelAt({10, 110}), Color::white()));
    host_->advance(0.3);
    auto& end = shoot();
    EXPECT_TRUE(colorNear(end.pixelAt({210, 110}), Color::red()));
    EXPECT_TRUE(colorNear(end.pixelAt({110, 110}), Color::white()));
}

TEST_F(ScreenPixelsTest, FramesComeOnlyWhileSomethingMovesAndCoverOnlyItsPath) {
    auto square = launchWithSquare();
    host_->setPresentsFrames(true);
    host_->present();
    long still = host_->screen().frameCount();
    View::animate(0.5, 0, AnimationCurve::linear, [&] { square->setCenter({210, 110}); });
    // The square's path at scale 2: from its first place to its last.
    const Rect path(0, 200, 440, 40);
    long moving = host_->screen().frameCount();
    for (int frame = 0; frame < 40; ++frame) {
        host_->advance(1.0 / 60);
        if (host_->screen().frameCount() != moving) {
            moving = host_->screen().frameCount();
            EXPECT_TRUE(PixelRegion(path).contains(host_->screen().lastDamage().extents()));
        }
    }
    EXPECT_GE(moving - still, 25) << "a frame for each tick of the move";
    EXPECT_FALSE(Animator::shared().isTicking());

    host_->advance(10);
    EXPECT_EQ(host_->screen().frameCount(), moving) << "a still screen presents nothing";
    auto next = RunLoop::current().nextTimerFireDate();
    ASSERT_TRUE(next);
    EXPECT_GT(next->secondsSince(host_->clock().now()), 1)
        << "only the status bar's minute is waited for";
    EXPECT_EQ(host_->render().pixelWidth(), 640);
    EXPECT_EQ(host_->screen().frameCount(), moving);
}

TEST_F(ScreenPixelsTest, StatusBarShowsTheLocalTimeAndFollowsTheMinutes) {
    launch([](Window&) {});
    auto& bar = host_->screen().statusBar();
    EXPECT_EQ(bar.timeText(), "9:05");
    host_->advance(55);
    EXPECT_EQ(bar.timeText(), "9:05");
    // The bar looks again just after the minute.
    host_->advance(5.5);
    EXPECT_EQ(bar.timeText(), "9:06");
    host_->advance(3600);
    EXPECT_EQ(bar.timeText(), "10:06");
}

TEST_F(ScreenPixelsTest, WithTheStatusBarHiddenTheScreenStartsBelowIt) {
    launch([](Window& window) {
        window.setBackgroundColor(Color::white());
        window.addSubview(box(Rect(0, 0, 320, 20), Color::red()));
        window.addSubview(box(Rect(0, 20, 40, 20), Color::blue()));
        window.addSubview(box(Rect(280, 440, 40, 40), Color::green()));
    });
    host_->application().setStatusBarHidden(true);
    EXPECT_EQ(host_->render().pixelHeight(), 920);
    BitmapContext& frame = host_->screen().frame();
    EXPECT_TRUE(colorNear(frame.pixelAt({5, 1}), Color::blue())) << "the window's y 20 on top";
    EXPECT_TRUE(colorNear(frame.pixelAt({200, 1}), Color::white())) << "no bar, no hidden strip";
    EXPECT_TRUE(colorNear(frame.pixelAt({318, 458}), Color::green()));
    BitmapContext afresh({320, 460}, 2);
    host_->screen().render(host_->application(), afresh);
    EXPECT_TRUE(colorNear(afresh.pixelAt({5, 1}), Color::blue()));

    host_->application().setStatusBarHidden(false);
    EXPECT_TRUE(host_->screen().needsRender(host_->application()));
    EXPECT_EQ(host_->render().pixelHeight(), 960);
    EXPECT_TRUE(colorNear(host_->screen().frame().pixelAt({200, 5}), Color::black()))
        << "the bar is back";
    EXPECT_TRUE(colorNear(host_->screen().frame().pixelAt({5, 21}), Color::blue()));
}

TEST_F(ScreenPixelsTest, ScreenshotWritesAPngAtTheScale) {
    launch([](Window& window) { window.setBackgroundColor(Color::green()); }, 1);
    auto path = documents_->path() / "shot.png";
    ASSERT_TRUE(host_->screenshot(path));
    Image picture = Image::fromFile(path);
    EXPECT_EQ(picture.pixelWidth(), 320);
    EXPECT_EQ(picture.pixelHeight(), 480);
    EXPECT_FALSE(host_->screenshot(documents_->path() / "missing" / "shot.png"));
}

} // namespace
} // namespace florelle::testing
