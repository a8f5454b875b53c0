// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "graphics/BitmapContext.h"
#include "ui/Animator.h"
#include "ui/ImageView.h"

#include <cmath>
#include <functional>
#include <vector>

namespace florelle {
namespace {

class ViewAnimationTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        view_ = std::make_shared<View>(Rect(0, 0, 100, 100));
        window_->addSubview(view_);
    }

    View::Completion record() {
        return [this](bool finished) { completions_.push_back(finished); };
    }

    std::shared_ptr<View> view_;
    std::vector<bool> completions_;
};

TEST_F(ViewAnimationTest, LinearAnimationIsHalfWayAtHalfTimeAndCompletesOnceAtItsEnd) {
    View::animate(
        0.4, 0, AnimationCurve::linear,
        [&] {
            view_->setFrame(Rect(100, 200, 100, 100));
            view_->setAlpha(0);
        },
        record());
    EXPECT_EQ(view_->frame(), Rect(100, 200, 100, 100)) << "the model changes at once";
    EXPECT_EQ(view_->alpha(), 0);
    EXPECT_EQ(view_->presentationFrame(), Rect(0, 0, 100, 100));

    advance(0.2);
    testing::expectShown(view_->presentationFrame(), Rect(50, 100, 100, 100));
    testing::expectShown(view_->presentationAlpha(), 0.5);
    EXPECT_TRUE(completions_.empty());

    clock_->set(clock_->now().addingSeconds(0.2));
    RunLoop::current().runOnce();
    EXPECT_EQ(completions_, std::vector<bool>{true});
    EXPECT_EQ(view_->presentationFrame(), view_->frame());
    EXPECT_TRUE(view_->animationKeys().empty());

    advance(1);
    EXPECT_EQ(completions_.size(), 1u) << "exactly once";
    EXPECT_FALSE(Animator::shared().isTicking()) << "no timer while nothing moves";
}

TEST_F(ViewAnimationTest, EaseInOutIsSlowAtTheEndsAndExactInTheMiddle) {
    View::animate(1, 0, AnimationCurve::easeInOut, [&] { view_->setCenter(Point{150, 50}); });
    advance(0.1);
    double early = view_->presentationCenter().x - 50;
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 10);
    advance(0.4);
    EXPECT_NEAR(view_->presentationCenter().x, 100, 1e-6);
}

TEST_F(ViewAnimationTest, ADelayHoldsTheStartUntilItPasses) {
    View::animate(
        1, 0.5, AnimationCurve::linear, [&] { view_->setAlpha(0); }, record());
    advance(0.4);
    EXPECT_EQ(view_->presentationAlpha(), 1);
    EXPECT_EQ(view_->alpha(), 0);
    advance(0.6);
    testing::expectShown(view_->presentationAlpha(), 0.5);
    advance(0.5);
    EXPECT_EQ(completions_, std::vector<bool>{true});
}

TEST_F(ViewAnimationTest, ANewAnimationStartsFromWhatIsShownAndCutsTheOldOneShort) {
    View::animate(
        1, 0, AnimationCurve::linear, [&] { view_->setAlpha(0); }, record());
    advance(0.5);
    View::animate(
        1, 0, AnimationCurve::linear, [&] { view_->setAlpha(1); }, record());
    testing::expectShown(view_->presentationAlpha(), 0.5);
    advance(0);
    EXPECT_EQ(completions_, std::vector<bool>{false});
    advance(0.5);
    testing::expectShown(view_->presentationAlpha(), 0.75);
    advance(0.5);
    EXPECT_EQ(completions_, (std::vector<bool>{false, true}));
}

TEST_F(ViewAnimationTest, SettingAPropertyWithoutAnimationEndsItsAnimation) {
    View::animate(
        1,
        [&] {
            view_->setCenter(Point{300, 300});
        },
        record());
    advance(0.5);
    view_->setCenter(Point{10, 10});
    EXPECT_EQ(view_->presentationCenter(), (Point{10, 10}));
    advance(0);
    EXPECT_EQ(completions_, std::vector<bool>{false});
}

TEST_F(ViewAnimationTest, TwoChangesOfOnePropertyInOneBlockStillFinish) {
    View::animate(
        1, 0, AnimationCurve::linear,
        [&] {
            view_->setAlpha(0.5);
            view_->setAlpha(0);
        },
        record());
    advance(1);
    EXPECT_EQ(completions_, std::vector<bool>{true});
}

TEST_F(ViewAnimationTest, ABlockThatChangesNothingCompletesFromTheRunLoop) {
    View::animate(
        1, [] {}, record());
    View::animate(
        0, [&] { view_->setAlpha(0.2); }, record());
    EXPECT_TRUE(completions_.empty()) << "not from inside animate";
    EXPECT_EQ(view_->presentationAlpha(), 0.2);
    RunLoop::current().runOnce();
    EXPECT_EQ(completions_, (std::vector<bool>{true, true}));
}

TEST_F(ViewAnimationTest, CompletionsMayStartTheNextAnimation) {
    View::animate(
        0.5, 0, AnimationCurve::linear, [&] { view_->setAlpha(0); },
        [&](bool) {
            View::animate(
                0.5, 0, AnimationCurve::linear, [&] { view_->setAlpha(1); }, record());
        });
    advance(0.5);
    advance(0.25);
    testing::expectShown(view_->presentationAlpha(), 0.5);
    advance(0.25);
    EXPECT_EQ(completions_, std::vector<bool>{true});
}

TEST_F(ViewAnimationTest, AViewThatGoesMidAnimationCompletesUnfinished) {
    View::animate(
        1, [&] { view_->setAlpha(0); }, record());
    view_->removeFromSuperview();
    view_.reset();
    advance(0);
    EXPECT_EQ(completions_, std::vector<bool>{false});
    advance(2);
    EXPECT_EQ(completions_.size(), 1u);
}

TEST_F(ViewAnimationTest, NestedBlocksKeepTheirOwnTiming) {
    auto other = std::make_shared<View>(Rect(0, 0, 10, 10));
    window_->addSubview(other);
    View::animate(
        1, 0, AnimationCurve::linear,
        [&] {
            view_->setAlpha(0);
            View::animate(
                2, 0, AnimationCurve::linear, [&] { other->setAlpha(0); }, record());
        },
        record());
    advance(1);
    EXPECT_EQ(completions_, std::vector<bool>{true});
    testing::expectShown(other->presentationAlpha(), 0.5);
    advance(1);
    EXPECT_EQ(completions_, (std::vector<bool>{true, true}));
}

// At two pixels a point the clock ticks when the view has moved a pixel (or
// faded by a unit of 255), at most sixty times a second, and at the ends.
TEST_F(ViewAnimationTest, TheClockTicksAsOftenAsTheViewChangesAPixel) {
    struct Case {
        const char* what;
        double delay;
        std::function<void()> change;
        int fewest;
        int most;
        // Pixels the view may move from one tick to the next.
        double largestStep;
    };
    double pixels = Animator::shared().pixelsPerPoint();
    Animator::shared().setPixelsPerPoint(2);
    for (const Case& c : {
             // 12 points a second: 24 pixels, and the end.
             Case{"a slow drift", 0,
                  [&] {
                      view_->setCenter(Point{62, 50});
                  },
                  24, 27, 1.01},
             Case{"a quick move", 0,
                  [&] {
                      view_->setCenter(Point{350, 50});
                  },
                  59, 61, 10.1},
             Case{"a slow fade", 0, [&] { view_->setAlpha(0.8); }, 51, 54, 0},
             Case{"a drift after a delay", 0.5,
                  [&] {
                      view_->setCenter(Point{62, 50});
                  },
                  25, 28, 1.01},
         }) {
        view_->setCenter(Point{50, 50});
        view_->setAlpha(1);
        View::animate(1, c.delay, AnimationCurve::linear, c.change);
        Date end = clock_->now().addingSeconds(1 + c.delay);
        auto& loop = RunLoop::current();
        int ticks = 0;
        Point shown = view_->presentationCenter();
        for (auto next = loop.nextTimerFireDate(); next && *next < end.addingSeconds(1);
             next = loop.nextTimerFireDate()) {
            EXPECT_GE(next->secondsSince(clock_->now()), Animator::frameInterval - 1e-6) << c.what;
            clock_->set(*next);
            loop.runOnce();
            ++ticks;
            Point now = view_->presentationCenter();
            EXPECT_LE(std::abs(now.x - shown.x) * 2, c.largestStep) << c.what << ", tick " << ticks;
            shown = now;
        }
        EXPECT_GE(ticks, c.fewest) << c.what;
        EXPECT_LE(ticks, c.most) << c.what;
        EXPECT_FALSE(Animator::shared().isTicking()) << c.what;
    }
    Animator::shared().setPixelsPerPoint(pixels);
}

TEST_F(ViewAnimationTest, AnimationTicksMarkTheWindowForRedraw) {
    View::animate(1, [&] { view_->setCenter(Point{200, 200}); });
    window_->clearNeedsRedraw();
    advance(Animator::frameInterval);
    EXPECT_TRUE(window_->needsRedraw());
    EXPECT_TRUE(Animator::shared().isTicking());
}

// What may stand in front of the animating view, or around it.
enum class Cover {
    none,
    opaque,
    translucent,
    faded,
    smaller,
    picture,
    pictureWithHoles,
    hiddenBox,
    // The host shows only the window below the view, or below its top part.
    shownBelow,
    shownPartly
};

class OutOfSightTest : public ViewAnimationTest {
protected:
    // Puts a new view in a box of the window, with `cover` over it, in
    // place of what the window held.
    void place(Cover cover) {
        auto shown = window_->subviews();
        for (const auto& tree : shown) {
            tree->removeFromSuperview();
        }
        completions_.clear();
        Animator::shared().setShownArea(cover == Cover::shownBelow    ? Rect(0, 120, 320, 360)
                                        : cover == Cover::shownPartly ? Rect(0, 80, 320, 400)
                                                                      : window_->bounds());
        view_ = std::make_shared<View>(Rect(0, 0, 100, 100));
        auto box = std::make_shared<View>(Rect(0, 0, 320, 480));
        window_->addSubview(box);
        box->addSubview(view_);
        Rect over(0, 0, 320, 200);
        switch (cover) {
        case Cover::none:
        case Cover::shownBelow:
        case Cover::shownPartly:
            return;
        case Cover::hiddenBox:
            box->setHidden(true);
            return;
        case Cover::picture:
        case Cover::pictureWithHoles: {
            BitmapContext bitmap({32, 20}, 1);
            bitmap.setFillColor(Color(0.2, 0.5, 0.3));
            if (cover == Cover::picture) {
                bitmap.fillRect(Rect(0, 0, 32, 20));
            } else {
                bitmap.fillEllipse(Rect(0, 0, 32, 20));
            }
            cover_ = std::make_shared<ImageView>(over);
            static_cast<ImageView&>(*cover_).setImage(bitmap.image());
            break;
        }
        default:
            cover_ = std::make_shared<View>(cover == Cover::smaller ? Rect(0, 0, 60, 200) : over);
            cover_->setBackgroundColor(Color(0.9, 0.9, 0.9, cover == Cover::translucent ? 0.5 : 1));
            cover_->setAlpha(cover == Cover::faded ? 0.9 : 1);
        }
        // In front of the box, not only of the view.
        window_->addSubview(std::make_shared<View>(Rect(0, 0, 320, 480)));
        window_->subviews().back()->addSubview(cover_);
    }

    // Serves the run loop's timers one by one up to `seconds` from now;
    // the animation clock's ticks meanwhile.
    long ticksFor(double seconds) {
        long before = Animator::shared().tickCount();
        Date end = clock_->now().addingSeconds(seconds);
        auto& loop = RunLoop::current();
        for (auto next = loop.nextTimerFireDate(); next && *next <= end;
             next = loop.nextTimerFireDate()) {
            clock_->set(*next);
            loop.runOnce();
        }
        clock_->set(end);
        loop.runOnce();
        return Animator::shared().tickCount() - before;
    }

    std::shared_ptr<View> cover_;
};

TEST_F(OutOfSightTest, AViewOutOfSightTicksOnlyAtItsAnimationsEndAndStillCompletesInTime) {
    struct Case {
        const char* what;
        Cover cover;
        bool suspended;
        long fewest;
        long most;
    };
    double pixels = Animator::shared().pixelsPerPoint();
    Animator::shared().setPixelsPerPoint(2);
    for (const Case& c : {
             Case{"in sight", Cover::none, false, 24, 27},
             Case{"behind an opaque view", Cover::opaque, false, 1, 1},
             Case{"behind a translucent view", Cover::translucent, false, 24, 27},
             Case{"behind a faded view", Cover::faded, false, 24, 27},
             Case{"partly behind a view", Cover::smaller, false, 24, 27},
             Case{"behind an opaque picture", Cover::picture, false, 1, 1},
             Case{"behind a picture with clear corners", Cover::pictureWithHoles, false, 24, 27},
             Case{"in a hidden view", Cover::hiddenBox, false, 1, 1},
             Case{"above the part of the window shown", Cover::shownBelow, false, 1, 1},
             Case{"partly in the part of the window shown", Cover::shownPartly, false, 24, 27},
             Case{"while the clock is suspended", Cover::none, true, 1, 1},
         }) {
        place(c.cover);
        Animator::shared().setSuspended(c.suspended);
        // 12 points a second: a pixel every 1/24 s.
        View::animate(
            1, 0, AnimationCurve::linear,
            [&] {
                view_->setCenter(Point{62, 50});
            },
            record());
        long ticks = ticksFor(1);
        EXPECT_GE(ticks, c.fewest) << c.what;
        EXPECT_LE(ticks, c.most) << c.what;
        EXPECT_EQ(completions_, std::vector<bool>{true}) << c.what;
        Animator::shared().setSuspended(false);
    }
    Animator::shared().setShownArea(window_->bounds());
    Animator::shared().setPixelsPerPoint(pixels);
}

TEST_F(OutOfSightTest, AViewThatComesIntoSightShowsWhereItsAnimationIsByThen) {
    place(Cover::opaque);
    View::animate(1, 0, AnimationCurve::linear, [&] { view_->setCenter(Point{150, 50}); });
    EXPECT_EQ(ticksFor(0.5), 0);
    cover_->removeFromSuperview();
    EXPECT_EQ(ticksFor(Animator::frameInterval), 1) << "the next frame";
    testing::expectShown(view_->presentationCenter(),
                         Point{50 + 100 * (0.5 + Animator::frameInterval), 50});

    Animator::shared().setSuspended(true);
    EXPECT_EQ(ticksFor(0.2), 0);
    Animator::shared().setSuspended(false);
    EXPECT_EQ(ticksFor(Animator::frameInterval), 1);
    EXPECT_GT(ticksFor(0.2), 3);
}

} // namespace
} // namespace florelle
