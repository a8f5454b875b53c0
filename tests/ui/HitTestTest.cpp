// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"

#include <numbers>
#include <string>
#include <vector>

namespace florelle {
namespace {

// Writes down the touch phases that reach it.
class RecordingView : public View {
public:
    RecordingView(std::string name, const Rect& frame, std::vector<std::string>& log)
        : View(frame), name_(std::move(name)), log_(log) {}

    void touchesBegan(const Touches&, const Event&) override { log_.push_back(name_ + " began"); }
    void touchesMoved(const Touches&, const Event&) override { log_.push_back(name_ + " moved"); }
    void touchesEnded(const Touches&, const Event&) override { log_.push_back(name_ + " ended"); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class HitTestTest : public testing::UiTest {
protected:
    std::shared_ptr<RecordingView> add(const std::string& name, const Rect& frame,
                                       View* parent = nullptr) {
        auto view = std::make_shared<RecordingView>(name, frame, log_);
        (parent ? parent : window_.get())->addSubview(view);
        return view;
    }

    std::vector<std::string> log_;
};

TEST_F(HitTestTest, ATapReachesTheTopViewUnderThePoint) {
    auto bottom = add("bottom", Rect(0, 0, 200, 200));
    auto top = add("top", Rect(50, 50, 100, 100));
    tap(Point{60, 60});
    EXPECT_EQ(log_, (std::vector<std::string>{"top began", "top ended"}));
    log_.clear();
    tap(Point{10, 10});
    EXPECT_EQ(log_, (std::vector<std::string>{"bottom began", "bottom ended"}));
}

TEST_F(HitTestTest, HiddenTransparentAndDisabledViewsArePassedOver) {
    struct Case {
        const char* what;
        void (*change)(View&);
    } cases[] = {
        {"hidden", [](View& view) { view.setHidden(true); }},
        {"alpha below 0.01", [](View& view) { view.setAlpha(0.009); }},
        {"interaction off", [](View& view) { view.setUserInteractionEnabled(false); }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        log_.clear();
        auto bottom = add("bottom", Rect(0, 0, 200, 200));
        auto top = add("top", Rect(0, 0, 200, 200));
        add("child", Rect(0, 0, 50, 50), top.get());
        row.change(*top);
        tap(Point{10, 10});
        EXPECT_EQ(log_, (std::vector<std::string>{"bottom began", "bottom ended"}));
        bottom->removeFromSuperview();
        top->removeFromSuperview();
    }
}

TEST_F(HitTestTest, AFaintButVisibleViewStillTakesTouches) {
    add("bottom", Rect(0, 0, 200, 200));
    auto top = add("top", Rect(0, 0, 200, 200));
    top->setAlpha(0.01);
    EXPECT_EQ(window_->hitTest(Point{10, 10}), top);
}

TEST_F(HitTestTest, SubviewsOutsideTheirSuperviewsBoundsAreNotHit) {
    auto box = add("box", Rect(0, 0, 100, 100));
    auto sticking = add("sticking", Rect(80, 80, 100, 100), box.get());
    EXPECT_EQ(window_->hitTest(Point{90, 90}), sticking);
    EXPECT_EQ(window_->hitTest(Point{150, 150}), window_);
}

TEST_F(HitTestTest, HitTestingUsesTheModelAndTheTransform) {
    auto panel = add("panel", Rect(0, 0, 100, 40));
    // Turned a quarter about its centre (50, 20): it now covers x 30…70, y −30…70.
    panel->setTransform(AffineTransform::rotation(std::numbers::pi / 2));
    EXPECT_EQ(window_->hitTest(Point{50, 60}), panel);
    EXPECT_EQ(window_->hitTest(Point{90, 10}), window_);

    auto flat = add("flat", Rect(0, 300, 100, 100));
    flat->setTransform(AffineTransform::scale(0, 1));
    EXPECT_EQ(window_->hitTest(Point{50, 350}), window_);

    auto moved = add("moved", Rect(200, 200, 50, 50));
    View::animate(10, [&] { moved->setCenter(Point{25, 400}); });
    advance(1);
    EXPECT_EQ(window_->hitTest(Point{20, 400}), moved) << "the model is already there";
}

TEST_F(HitTestTest, AllPhasesGoToTheViewHitAtTouchDown) {
    auto left = add("left", Rect(0, 0, 100, 100));
    auto right = add("right", Rect(100, 0, 100, 100));
    auto touch = touchDown(Point{50, 50});
    touchMove(touch, Point{150, 50});
    touchUp(touch, Point{150, 50});
    EXPECT_EQ(log_, (std::vector<std::string>{"left began", "left moved", "left ended"}));
}

TEST_F(HitTestTest, UnhandledTouchesGoUpTheResponderChain) {
    auto outer = add("outer", Rect(0, 0, 200, 200));
    auto plain = std::make_shared<View>(Rect(10, 10, 50, 50));
    outer->addSubview(plain);
    tap(Point{20, 20});
    EXPECT_EQ(log_, (std::vector<std::string>{"outer began", "outer ended"}));
}

TEST_F(HitTestTest, AnExclusiveTouchViewKeepsOtherFingersOut) {
    auto exclusive = add("exclusive", Rect(0, 0, 100, 100));
    exclusive->setExclusiveTouch(true);
    add("other", Rect(100, 0, 100, 100));
    auto first = touchDown(Point{50, 50});
    tap(Point{150, 50});
    touchUp(first, Point{50, 50});
    tap(Point{150, 50});
    EXPECT_EQ(log_, (std::vector<std::string>{"exclusive began", "exclusive ended", "other began",
                                              "other ended"}));
}

TEST_F(HitTestTest, ConvertPointBetweenViews) {
    auto a = add("a", Rect(10, 20, 100, 100));
    auto b = add("b", Rect(5, 5, 50, 50), a.get());
    b->setBounds(Rect(100, 0, 50, 50));
    EXPECT_EQ(b->convertPoint(Point{100, 0}, nullptr), (Point{15, 25}));
    EXPECT_EQ(b->convertPoint(Point{100, 0}, a.get()), (Point{5, 5}));
    EXPECT_EQ(a->convertPointFrom(Point{15, 25}, nullptr), (Point{5, 5}));
    EXPECT_EQ(b->convertPointFrom(Point{5, 5}, a.get()), (Point{100, 0}));
    EXPECT_EQ(b->convertRect(Rect(100, 0, 10, 10), a.get()), Rect(5, 5, 10, 10));
}

} // namespace
} // namespace florelle
