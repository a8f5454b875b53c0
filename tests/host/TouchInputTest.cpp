// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostTest.h"

#include <string>
#include <vector>

namespace florelle::testing {
namespace {

// Writes down every phase it hears, one letter per touch.
class PhaseRecorder : public View {
public:
    using View::View;
    void touchesBegan(const Touches& touches, const Event&) override { note('b', touches); }
    void touchesMoved(const Touches& touches, const Event&) override { note('m', touches); }
    void touchesEnded(const Touches& touches, const Event&) override { note('e', touches); }
    void touchesCancelled(const Touches& touches, const Event&) override { note('c', touches); }
    std::string phases;

private:
    void note(char phase, const Touches& touches) { phases.append(touches.size(), phase); }
};

class TouchInputTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        launch([this](Window& window) {
            left_ = std::make_shared<PhaseRecorder>(Rect(0, 0, 160, 480));
            right_ = std::make_shared<PhaseRecorder>(Rect(160, 0, 160, 480));
            window.addSubview(left_);
            window.addSubview(right_);
        });
    }

    std::shared_ptr<PhaseRecorder> left_;
    std::shared_ptr<PhaseRecorder> right_;
};

TEST_F(TouchInputTest, EachFingerIsOneTouchFromDownToUp) {
    auto& input = host_->input();
    input.down(1, {10, 100});
    input.down(2, {200, 100});
    input.move(1, {300, 100}); // still the left view's touch
    input.move(2, {200, 100}); // not moved: nothing to tell
    input.up(2, {200, 120});
    input.up(1, {300, 100});
    EXPECT_EQ(left_->phases, "bme");
    EXPECT_EQ(right_->phases, "be");
    EXPECT_FALSE(input.isDown(1));
}

TEST_F(TouchInputTest, StrayEventsAreIgnoredAndCancellingEndsEveryFinger) {
    auto& input = host_->input();
    input.move(7, {10, 10});
    input.up(7, {10, 10});
    EXPECT_EQ(left_->phases, "");
    input.down(1, {10, 100});
    input.down(1, {20, 100}); // a second down of the same finger moves it
    input.down(2, {200, 100});
    input.cancelAll();
    EXPECT_EQ(left_->phases, "bmc");
    EXPECT_EQ(right_->phases, "bc");
    EXPECT_FALSE(input.isDown(1));
    EXPECT_FALSE(input.isDown(2));
}

} // namespace
} // namespace florelle::testing
