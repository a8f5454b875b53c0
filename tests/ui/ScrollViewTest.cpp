// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScrollView.h"

#include "UiTest.h"
#include "ui/Button.h"

#include <string>
#include <vector>

namespace florelle {
namespace {

class ScrollRecorder : public ScrollViewDelegate {
public:
    void scrollViewDidScroll(ScrollView&) override { ++scrolls; }
    void scrollViewWillBeginDragging(ScrollView&) override { events.push_back("begin drag"); }
    void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
        events.push_back(decelerate ? "end drag, glide" : "end drag");
    }
    void scrollViewDidEndDecelerating(ScrollView&) override { events.push_back("end glide"); }
    void scrollViewDidEndScrollingAnimation(ScrollView&) override {
        events.push_back("end animation");
    }
    int scrolls = 0;
    std::vector<std::string> events;
};

class ScrollViewTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        scroll_ = std::make_shared<ScrollView>(Rect(0, 0, 320, 480));
        scroll_->setContentSize(Size{320, 2000});
        scroll_->delegate = recorder_;
        window_->addSubview(scroll_);
    }

    // A finger drag in steps of `step` points every `interval` seconds.
    std::shared_ptr<Touch> drag(Point from, double step, int steps, double interval) {
        auto touch = touchDown(from);
        Point at = from;
        for (int i = 0; i < steps; ++i) {
            clock_->advance(interval);
            at.y += step;
            touchMove(touch, at);
        }
        return touch;
    }

    void settle() {
        for (int i = 0; i < 600 && (scroll_->isDecelerating() || scroll_->isDragging()); ++i) {
            advance(1.0 / 60);
        }
        advance(1);
    }

    std::shared_ptr<ScrollView> scroll_;
    std::shared_ptr<ScrollRecorder> recorder_ = std::make_shared<ScrollRecorder>();
};

TEST_F(ScrollViewTest, ContentFollowsTheFingerOnceItPassesTheThreshold) {
    auto touch = touchDown(Point{160, 400});
    touchMove(touch, Point{160, 395});
    EXPECT_FALSE(scroll_->isDragging());
    EXPECT_EQ(scroll_->contentOffset(), Point{});
    touchMove(touch, Point{160, 390});
    EXPECT_TRUE(scroll_->isDragging());
    touchMove(touch, Point{160, 290});
    EXPECT_EQ(scroll_->contentOffset(), (Point{0, 100}));
    clock_->advance(1);
    touchUp(touch, Point{160, 290});
    EXPECT_FALSE(scroll_->isDecelerating());
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"begin drag", "end drag"}));
}

TEST_F(ScrollViewTest, AFlickGlidesOnAndSlowsToAStop) {
    auto touch = drag(Point{160, 400}, -20, 10, 0.01);
    double atLiftOff = scroll_->contentOffset().y;
    touchUp(touch, Point{160, 200});
    EXPECT_TRUE(scroll_->isDecelerating());

    double previous = atLiftOff;
    double previousStep = 1e9;
    for (int frame = 0; frame < 30; ++frame) {
        advance(1.0 / 60);
        double now = scroll_->contentOffset().y;
        double stepLength = now - previous;
        EXPECT_GE(stepLength, 0);
        EXPECT_LE(stepLength, previousStep + 1e-9);
        previous = now;
        previousStep = stepLength;
    }
    EXPECT_GT(previous, atLiftOff + 100);
    settle();
    EXPECT_FALSE(scroll_->isDecelerating());
    double stopped = scroll_->contentOffset().y;
    advance(1);
    EXPECT_EQ(scroll_->contentOffset().y, stopped);
    EXPECT_EQ(recorder_->events.back(), "end glide");
}

TEST_F(ScrollViewTest, AGlideStopsAtTheEndOfTheContent) {
    scroll_->setContentOffset(Point{0, 1400});
    auto touch = drag(Point{160, 400}, -30, 10, 0.01);
    touchUp(touch, Point{160, 100});
    settle();
    EXPECT_EQ(scroll_->contentOffset(), (Point{0, 1520}));
}

TEST_F(ScrollViewTest, PullingPastTheTopStretchesAndSpringsBack) {
    auto touch = drag(Point{160, 100}, 20, 6, 0.05);
    // 120 points down, less the 8-point threshold step, at half speed.
    EXPECT_LT(scroll_->contentOffset().y, 0);
    EXPECT_GT(scroll_->contentOffset().y, -60);
    clock_->advance(0.5);
    touchUp(touch, Point{160, 220});
    advance(ScrollView::animationDuration + 0.1);
    EXPECT_EQ(scroll_->contentOffset(), Point{});
}

TEST_F(ScrollViewTest, WithoutBouncingTheContentStopsAtTheEdge) {
    scroll_->setBounces(false);
    auto touch = drag(Point{160, 100}, 20, 6, 0.05);
    EXPECT_EQ(scroll_->contentOffset(), Point{});
    touchUp(touch, Point{160, 220});
}

TEST_F(ScrollViewTest, ScrollingOffLeavesTouchesAlone) {
    scroll_->setScrollEnabled(false);
    auto touch = drag(Point{160, 400}, -20, 5, 0.01);
    touchUp(touch, Point{160, 300});
    EXPECT_EQ(scroll_->contentOffset(), Point{});
}

TEST_F(ScrollViewTest, ADragStartingOnAButtonScrollsInsteadOfPressing) {
    auto button = std::make_shared<Button>(Rect(100, 300, 120, 60));
    scroll_->addSubview(button);
    int presses = 0;
    int cancels = 0;
    button->onTouchUpInside = [&] { ++presses; };
    button->onTouchCancel = [&] { ++cancels; };

    auto touch = touchDown(Point{160, 330});
    EXPECT_TRUE(button->isHighlighted());
    touchMove(touch, Point{160, 326});
    EXPECT_TRUE(button->isHighlighted());
    touchMove(touch, Point{160, 310});
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(cancels, 1);
    touchMove(touch, Point{160, 250});
    EXPECT_EQ(scroll_->contentOffset(), (Point{0, 60}));
    clock_->advance(1);
    touchUp(touch, Point{160, 250});
    EXPECT_EQ(presses, 0);

    // A tap still presses it.
    tap(button->convertPointToWindow(Point{60, 30}));
    EXPECT_EQ(presses, 1);
}

TEST_F(ScrollViewTest, AnimatedOffsetMovesOverTimeAndTellsTheDelegate) {
    scroll_->setContentOffset(Point{0, 300}, true);
    EXPECT_EQ(scroll_->contentOffset(), Point{});
    advance(ScrollView::animationDuration / 2);
    EXPECT_GT(scroll_->contentOffset().y, 0);
    EXPECT_LT(scroll_->contentOffset().y, 300);
    advance(ScrollView::animationDuration);
    EXPECT_EQ(scroll_->contentOffset(), (Point{0, 300}));
    EXPECT_EQ(recorder_->events, std::vector<std::string>{"end animation"});
}

TEST_F(ScrollViewTest, ScrollRectToVisibleMovesTheLeastNeeded) {
    struct Case {
        Rect rect;
        Point offset;
    } cases[] = {
        {Rect(0, 100, 10, 10), Point{0, 0}},      {Rect(0, 900, 10, 100), Point{0, 520}},
        {Rect(0, 600, 10, 10), Point{0, 520}},    {Rect(0, 200, 10, 10), Point{0, 200}},
        {Rect(0, 1990, 10, 100), Point{0, 1520}},
    };
    for (const auto& row : cases) {
        scroll_->scrollRectToVisible(row.rect, false);
        EXPECT_EQ(scroll_->contentOffset(), row.offset);
    }
}

TEST_F(ScrollViewTest, IndicatorsFlashAndFade) {
    EXPECT_FALSE(scroll_->isShowingScrollIndicators());
    scroll_->flashScrollIndicators();
    EXPECT_TRUE(scroll_->isShowingScrollIndicators());
    advance(0.2);
    EXPECT_TRUE(scroll_->isShowingScrollIndicators());
    advance(1);
    EXPECT_FALSE(scroll_->isShowingScrollIndicators());

    scroll_->setShowsVerticalScrollIndicator(false);
    scroll_->flashScrollIndicators();
    EXPECT_FALSE(scroll_->isShowingScrollIndicators());
}

} // namespace
} // namespace florelle

namespace florelle {
namespace {

TEST_F(ScrollViewTest, TheMouseWheelMovesTheContentWithinItsEdges) {
    auto button = std::make_shared<Button>(Rect(10, 10, 50, 50));
    scroll_->addSubview(button);
    EXPECT_EQ(ScrollView::enclosing(button.get()), scroll_.get());
    EXPECT_EQ(ScrollView::enclosing(window_.get()), nullptr);
    EXPECT_TRUE(scroll_->scrollWheel(Point{0, 120}));
    EXPECT_EQ(scroll_->contentOffset(), (Point{0, 120}));
    EXPECT_TRUE(scroll_->isShowingScrollIndicators());
    EXPECT_TRUE(scroll_->scrollWheel(Point{0, -500}));
    EXPECT_EQ(scroll_->contentOffset(), Point{});
    EXPECT_FALSE(scroll_->scrollWheel(Point{0, -10}));
    scroll_->setScrollEnabled(false);
    EXPECT_FALSE(scroll_->scrollWheel(Point{0, 10}));
}

} // namespace
} // namespace florelle

namespace florelle {
namespace {

// A strip of two pages side by side, the first holding a list that scrolls up and down.
TEST_F(ScrollViewTest, AListInAPageStripScrollsOneWayAndTheStripTheOther) {
    auto strip = std::make_shared<ScrollView>(Rect(0, 0, 320, 480));
    strip->setContentSize(Size{640, 480});
    window_->addSubview(strip);
    auto list = std::make_shared<ScrollView>(Rect(0, 0, 320, 480));
    list->setContentSize(Size{320, 2000});
    strip->addSubview(list);

    auto down = touchDown(Point{200, 400});
    touchMove(down, Point{200, 380});
    touchMove(down, Point{150, 280});
    clock_->advance(1);
    touchUp(down, Point{150, 280});
    EXPECT_EQ(list->contentOffset(), (Point{0, 100}));
    EXPECT_EQ(strip->contentOffset(), Point{});

    auto across = touchDown(Point{250, 200});
    touchMove(across, Point{230, 200});
    touchMove(across, Point{130, 210});
    clock_->advance(1);
    touchUp(across, Point{130, 210});
    EXPECT_EQ(strip->contentOffset(), (Point{100, 0}));
    EXPECT_EQ(list->contentOffset(), (Point{0, 100}));
}

} // namespace
} // namespace florelle
