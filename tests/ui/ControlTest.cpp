// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "ui/Button.h"

#include <string>
#include <vector>

namespace florelle {
namespace {

class ControlTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        // The button covers x 100…200 and y 100…150.
        button_ = std::make_shared<Button>(Rect(100, 100, 100, 50));
        window_->addSubview(button_);
        auto record = [this](const char* name) {
            return [this, name] { events_.push_back(name); };
        };
        button_->onTouchDown = record("down");
        button_->onTouchDragInside = record("drag inside");
        button_->onTouchDragOutside = record("drag outside");
        button_->onTouchDragEnter = record("drag enter");
        button_->onTouchDragExit = record("drag exit");
        button_->onTouchUpInside = record("up inside");
        button_->onTouchUpOutside = record("up outside");
        button_->onTouchCancel = record("cancel");
    }

    std::shared_ptr<Button> button_;
    std::vector<std::string> events_;
};

TEST_F(ControlTest, ButtonEventsFollowTheFinger) {
    struct Case {
        const char* what;
        std::vector<Point> moves;
        Point release;
        std::vector<std::string> events;
    } cases[] = {
        {"tap", {}, {150, 125}, {"down", "up inside"}},
        {"drag within", {{160, 130}}, {160, 130}, {"down", "drag inside", "up inside"}},
        {"slip just past the edge", {{150, 180}}, {150, 180}, {"down", "drag inside", "up inside"}},
        {"drag out and release",
         {{150, 300}},
         {150, 300},
         {"down", "drag exit", "drag outside", "up outside"}},
        {"release far outside without a move", {}, {150, 400}, {"down", "up outside"}},
        {"drag out and back",
         {{150, 300}, {150, 125}},
         {150, 125},
         {"down", "drag exit", "drag outside", "drag enter", "drag inside", "up inside"}},
        {"sideways past the margin",
         {{271, 125}},
         {271, 125},
         {"down", "drag exit", "drag outside", "up outside"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        events_.clear();
        auto touch = touchDown(Point{150, 125});
        for (Point move : row.moves) {
            touchMove(touch, move);
        }
        touchUp(touch, row.release);
        EXPECT_EQ(events_, row.events);
        EXPECT_FALSE(button_->isHighlighted());
        EXPECT_FALSE(button_->isTracking());
    }
}

TEST_F(ControlTest, HighlightFollowsWhetherTheFingerIsInside) {
    auto touch = touchDown(Point{150, 125});
    EXPECT_TRUE(button_->isHighlighted());
    EXPECT_EQ(button_->state(), controlStateHighlighted);
    touchMove(touch, Point{150, 300});
    EXPECT_FALSE(button_->isHighlighted());
    touchMove(touch, Point{150, 140});
    EXPECT_TRUE(button_->isHighlighted());
    touchUp(touch, Point{150, 140});
    EXPECT_FALSE(button_->isHighlighted());
}

TEST_F(ControlTest, ADisabledButtonReportsNothingAndPassesTheTouchOn) {
    struct Catcher : View {
        using View::View;
        int began = 0;
        void touchesBegan(const Touches&, const Event&) override { ++began; }
    };
    auto catcher = std::make_shared<Catcher>(Rect(0, 0, 320, 480));
    window_->addSubview(catcher);
    catcher->addSubview(button_);
    button_->setEnabled(false);
    tap(Point{150, 125});
    EXPECT_TRUE(events_.empty());
    EXPECT_EQ(catcher->began, 1);
    EXPECT_EQ(button_->state(), controlStateDisabled);
}

TEST_F(ControlTest, ACancelledTouchReportsCancelOnly) {
    auto touch = touchDown(Point{150, 125});
    touch->update(TouchPhase::cancelled, Point{150, 125}, clock_->now());
    application_->sendEvent(Event({touch}, clock_->now()));
    EXPECT_EQ(events_, (std::vector<std::string>{"down", "cancel"}));
    EXPECT_FALSE(button_->isHighlighted());
}

TEST_F(ControlTest, AnActionMayRemoveTheButton) {
    button_->onTouchUpInside = [this] {
        button_->removeFromSuperview();
        button_.reset();
    };
    tap(Point{150, 125});
    EXPECT_EQ(button_, nullptr);
}

TEST_F(ControlTest, TitlesFallBackToTheNormalTitle) {
    button_->setTitle("Save Key");
    button_->setTitle("Saving Key", controlStateHighlighted);
    EXPECT_EQ(button_->currentTitle(), "Save Key");
    button_->setHighlighted(true);
    EXPECT_EQ(button_->currentTitle(), "Saving Key");
    button_->setHighlighted(false);
    button_->setSelected(true);
    EXPECT_EQ(button_->currentTitle(), "Save Key");
    EXPECT_EQ(button_->titleForState(controlStateDisabled), "Save Key");
}

} // namespace
} // namespace florelle
