// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"

namespace florelle::testing {

void expectShown(double actual, double expected) {
    EXPECT_NEAR(actual, expected, shownTolerance);
}

void expectShown(Point actual, Point expected) {
    expectShown(actual.x, expected.x);
    expectShown(actual.y, expected.y);
}

void expectShown(Size actual, Size expected) {
    expectShown(actual.width, expected.width);
    expectShown(actual.height, expected.height);
}

void expectShown(const Rect& actual, const Rect& expected) {
    expectShown(actual.origin, expected.origin);
    expectShown(actual.size, expected.size);
}

void UiTest::SetUp() {
    DiaryTest::SetUp();
    application_ = std::make_unique<Application>();
    window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
    window_->makeKeyAndVisible();
}

void UiTest::TearDown() {
    window_.reset();
    application_.reset();
    // Reports of animations cut short by the views' end arrive on the loop.
    RunLoop::current().runOnce();
    DiaryTest::TearDown();
}

void UiTest::advance(double seconds) {
    clock_->advance(seconds);
    RunLoop::current().runOnce();
}

void UiTest::send(const std::shared_ptr<Touch>& touch) {
    application_->sendEvent(Event({touch}, clock_->now()));
}

std::shared_ptr<Touch> UiTest::touchDown(Point location) {
    auto touch = std::make_shared<Touch>(location, clock_->now());
    send(touch);
    return touch;
}

void UiTest::touchMove(const std::shared_ptr<Touch>& touch, Point location) {
    touch->update(TouchPhase::moved, location, clock_->now());
    send(touch);
}

void UiTest::touchUp(const std::shared_ptr<Touch>& touch, Point location) {
    touch->update(TouchPhase::ended, location, clock_->now());
    send(touch);
}

void UiTest::tap(Point location) {
    touchUp(touchDown(location), location);
}

} // namespace florelle::testing
