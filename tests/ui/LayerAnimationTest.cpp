// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "ui/AnimationGroup.h"
#include "ui/BasicAnimation.h"

#include <vector>

namespace florelle {
namespace {

struct StopRecord {
    const Animation* animation;
    bool finished;
    bool operator==(const StopRecord&) const = default;
};

class RecordingDelegate : public AnimationDelegate {
public:
    void animationDidStop(const Animation& animation, bool finished) override {
        stops.push_back({&animation, finished});
    }
    std::vector<StopRecord> stops;
};

class LayerAnimationTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        petal_ = std::make_shared<View>(Rect(100, 100, 40, 40));
        window_->addSubview(petal_);
        delegate_ = std::make_shared<RecordingDelegate>();
    }

    std::shared_ptr<BasicAnimation> positionTo(Point target, double duration) {
        auto animation = std::make_shared<BasicAnimation>("position");
        animation->setToValue(target);
        animation->setDuration(duration);
        animation->setDelegate(delegate_);
        return animation;
    }

    std::shared_ptr<View> petal_;
    std::shared_ptr<RecordingDelegate> delegate_;
};

TEST_F(LayerAnimationTest, FillForwardsKeepsTheEndWhileTheModelKeepsTheOldValue) {
    auto hold = positionTo(Point{120, 160}, 0.4);
    hold->setFillMode(FillMode::forwards);
    hold->setRemovedOnCompletion(false);
    petal_->addAnimation(hold, "settingsHoldAnim");

    advance(0.2);
    testing::expectShown(petal_->presentationCenter(), (Point{120, 140}));
    advance(0.2);
    EXPECT_EQ(delegate_->stops, (std::vector<StopRecord>{{hold.get(), true}}));
    advance(5);
    testing::expectShown(petal_->presentationCenter(), (Point{120, 160}));
    EXPECT_EQ(petal_->center(), (Point{120, 120}));
    EXPECT_EQ(petal_->animationForKey("settingsHoldAnim"), hold);
    EXPECT_EQ(delegate_->stops.size(), 1u);
}

TEST_F(LayerAnimationTest, WithoutFillOrWhenRemovedTheModelShowsAfterTheEnd) {
    struct Case {
        const char* what;
        FillMode fill;
        bool removed;
        bool kept;
    } cases[] = {
        {"removed, no fill", FillMode::removed, true, false},
        {"removed, fill forwards", FillMode::forwards, true, false},
        {"kept, no fill", FillMode::removed, false, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        auto animation = positionTo(Point{0, 0}, 0.4);
        animation->setFillMode(row.fill);
        animation->setRemovedOnCompletion(row.removed);
        petal_->addAnimation(animation, "move");
        advance(0.5);
        testing::expectShown(petal_->presentationCenter(), petal_->center());
        EXPECT_EQ(petal_->animationForKey("move") != nullptr, row.kept);
        petal_->removeAllAnimations();
    }
}

TEST_F(LayerAnimationTest, AnimationWithoutFromStartsAtWhatIsShown) {
    auto hold = positionTo(Point{120, 160}, 0.4);
    hold->setFillMode(FillMode::forwards);
    hold->setRemovedOnCompletion(false);
    petal_->addAnimation(hold, "settingsHoldAnim");
    advance(0.4);
    auto letGo = positionTo(Point{120, 120}, 0.4);
    letGo->setFillMode(FillMode::forwards);
    letGo->setRemovedOnCompletion(false);
    petal_->addAnimation(letGo, "settingsLetGoAnim");
    advance(0.1);
    testing::expectShown(petal_->presentationCenter(), (Point{120, 150}));
    advance(0.3);
    testing::expectShown(petal_->presentationCenter(), (Point{120, 120}));
}

TEST_F(LayerAnimationTest, ADelegateThatDiedIsNotCalled) {
    auto animation = positionTo(Point{0, 0}, 0.4);
    delegate_.reset();
    petal_->addAnimation(animation, "move");
    EXPECT_EQ(animation->delegate(), nullptr);
    advance(0.5);
    EXPECT_TRUE(petal_->animationKeys().empty());
}

TEST_F(LayerAnimationTest, ReplacingOrRemovingTellsTheDelegateUnfinished) {
    auto first = positionTo(Point{0, 0}, 1);
    auto second = positionTo(Point{10, 10}, 1);
    petal_->addAnimation(first, "return");
    petal_->addAnimation(second, "return");
    EXPECT_EQ(petal_->animationKeys(), std::vector<std::string>{"return"});
    petal_->removeAnimation("return");
    advance(0);
    EXPECT_EQ(delegate_->stops,
              (std::vector<StopRecord>{{first.get(), false}, {second.get(), false}}));
    advance(2);
    EXPECT_EQ(delegate_->stops.size(), 2u);
}

TEST_F(LayerAnimationTest, GroupMovesSizeAndPositionTogetherAndHoldsItsEnd) {
    auto size = std::make_shared<BasicAnimation>("bounds.size");
    size->setToValue(Size{900, 900});
    size->setDuration(0.6);
    auto position = std::make_shared<BasicAnimation>("position");
    position->setToValue(Point{160, 240});
    position->setDuration(0.6);
    auto group = std::make_shared<AnimationGroup>();
    group->setAnimations({size, position});
    group->setDuration(0.6);
    group->setFillMode(FillMode::forwards);
    group->setRemovedOnCompletion(false);
    group->setDelegate(delegate_);
    petal_->addAnimation(group, "groupAnim0");

    advance(0.3);
    testing::expectShown(petal_->presentationBounds().size, (Size{470, 470}));
    testing::expectShown(petal_->presentationCenter(), (Point{140, 180}));
    advance(0.3);
    EXPECT_EQ(delegate_->stops, (std::vector<StopRecord>{{group.get(), true}}));
    advance(1);
    testing::expectShown(petal_->presentationBounds().size, (Size{900, 900}));
    testing::expectShown(petal_->presentationCenter(), (Point{160, 240}));
    EXPECT_EQ(petal_->bounds().size, (Size{40, 40}));
}

TEST_F(LayerAnimationTest, OpacityAnimationChangesOnlyWhatIsShown) {
    auto fade = std::make_shared<BasicAnimation>("opacity");
    fade->setFromValue(1.0);
    fade->setToValue(0.0);
    fade->setDuration(1);
    petal_->addAnimation(fade, "fade");
    advance(0.25);
    testing::expectShown(petal_->presentationAlpha(), 0.75);
    EXPECT_EQ(petal_->alpha(), 1);
}

TEST_F(LayerAnimationTest, ValuesOfTheWrongKindAreIgnored) {
    auto odd = std::make_shared<BasicAnimation>("opacity");
    odd->setFromValue(Point{1, 2});
    odd->setToValue(0.0);
    odd->setDuration(1);
    petal_->addAnimation(odd, "odd");
    advance(0.5);
    EXPECT_DOUBLE_EQ(petal_->presentationAlpha(), 0.5) << "starts at what was shown";

    auto unknown = std::make_shared<BasicAnimation>("frame.weight");
    EXPECT_TRUE(log_->contains("unknown key path"));
    petal_->addAnimation(unknown, "unknown");
    testing::expectShown(petal_->presentationCenter(), petal_->center());
}

} // namespace
} // namespace florelle
