// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "ui/Button.h"
#include "ui/Keyboard.h"
#include "ui/TextField.h"

namespace florelle {
namespace {

class WindowCoverTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        behind_->onTouchUpInside = [this] { ++behindTaps_; };
        window_->addSubview(behind_);
        cover_->addSubview(field_);
    }

    std::shared_ptr<Button> behind_ = std::make_shared<Button>(Rect(0, 0, 320, 480));
    std::shared_ptr<View> cover_ = std::make_shared<View>(Rect(0, 0, 320, 100));
    std::shared_ptr<TextField> field_ = std::make_shared<TextField>(Rect(10, 10, 300, 30));
    int behindTaps_ = 0;
};

TEST_F(WindowCoverTest, StaysInFrontOfLaterViewsWithOnlyTheKeyboardAbove) {
    window_->setCover(cover_);
    EXPECT_EQ(window_->subviews().back(), cover_);
    field_->becomeFirstResponder();
    auto keyboard = Keyboard::of(*window_);
    ASSERT_TRUE(keyboard);
    auto later = std::make_shared<View>(Rect(0, 0, 320, 480));
    window_->addSubview(later);
    const auto& order = window_->subviews();
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[order.size() - 1], keyboard);
    EXPECT_EQ(order[order.size() - 2], cover_);
    EXPECT_EQ(order[order.size() - 3], later);
}

TEST_F(WindowCoverTest, OnlyTheCoverAndTheKeyboardTakeTouchesAndFocus) {
    auto other = std::make_shared<TextField>(Rect(10, 300, 300, 30));
    window_->addSubview(other);
    other->becomeFirstResponder();
    window_->setCover(cover_);
    // Focus behind the cover is taken away and cannot be had again.
    EXPECT_FALSE(other->isFirstResponder());
    other->becomeFirstResponder();
    EXPECT_FALSE(other->isFirstResponder());
    // The cover does not reach down here, but what is below it is still out of reach.
    tap(Point{160, 200});
    EXPECT_EQ(behindTaps_, 0);
    field_->becomeFirstResponder();
    EXPECT_TRUE(field_->isFirstResponder());
    auto keyboard = Keyboard::of(*window_);
    advance(Keyboard::slideDuration);
    const Keyboard::Key* key = keyboard->keyLabelled("q");
    ASSERT_NE(key, nullptr);
    tap(keyboard->convertPointToWindow(Point{key->frame.midX(), key->frame.midY()}));
    EXPECT_EQ(field_->text(), "q");

    window_->setCover(nullptr);
    tap(Point{160, 200});
    EXPECT_EQ(behindTaps_, 1);
    other->becomeFirstResponder();
    EXPECT_TRUE(other->isFirstResponder());
}

TEST_F(WindowCoverTest, AFingerAlreadyDownBehindIsCancelled) {
    auto finger = touchDown(Point{160, 300});
    EXPECT_TRUE(behind_->isTracking());
    window_->setCover(cover_);
    EXPECT_FALSE(behind_->isTracking());
    touchUp(finger, Point{160, 300});
    EXPECT_EQ(behindTaps_, 0);
}

} // namespace
} // namespace florelle
