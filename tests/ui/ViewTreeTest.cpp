// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"

#include <vector>

namespace florelle {
namespace {

class ViewTreeTest : public testing::UiTest {
protected:
    static std::vector<int> tags(const View& view) {
        std::vector<int> result;
        for (const auto& subview : view.subviews()) {
            result.push_back(subview->tag());
        }
        return result;
    }

    static std::shared_ptr<View> tagged(int tag) {
        auto view = std::make_shared<View>(Rect(0, 0, 10, 10));
        view->setTag(tag);
        return view;
    }
};

TEST_F(ViewTreeTest, SubviewsKeepTheirOrder) {
    auto root = std::make_shared<View>();
    auto one = tagged(1);
    auto two = tagged(2);
    auto three = tagged(3);
    root->addSubview(one);
    root->addSubview(two);
    root->insertSubview(three, 0);
    EXPECT_EQ(tags(*root), (std::vector<int>{3, 1, 2}));
    root->bringSubviewToFront(three.get());
    EXPECT_EQ(tags(*root), (std::vector<int>{1, 2, 3}));
    root->sendSubviewToBack(two.get());
    EXPECT_EQ(tags(*root), (std::vector<int>{2, 1, 3}));
    root->insertSubviewAbove(tagged(4), two.get());
    root->insertSubviewBelow(tagged(5), two.get());
    EXPECT_EQ(tags(*root), (std::vector<int>{5, 2, 4, 1, 3}));
    root->insertSubview(one, 99);
    EXPECT_EQ(tags(*root), (std::vector<int>{5, 2, 4, 3, 1}));
}

TEST_F(ViewTreeTest, RemovalClearsTheSuperviewAndMovingReparents) {
    auto first = std::make_shared<View>();
    auto second = std::make_shared<View>();
    auto child = tagged(7);
    first->addSubview(child);
    EXPECT_EQ(child->superview(), first.get());
    second->addSubview(child);
    EXPECT_TRUE(first->subviews().empty());
    EXPECT_EQ(child->superview(), second.get());
    child->removeFromSuperview();
    EXPECT_EQ(child->superview(), nullptr);
    EXPECT_TRUE(second->subviews().empty());
}

TEST_F(ViewTreeTest, MoveHooksRunOnRealMovesOnly) {
    struct Watched : View {
        int moves = 0;
        void didMoveToSuperview() override { ++moves; }
    };
    auto parent = std::make_shared<View>();
    auto watched = std::make_shared<Watched>();
    parent->addSubview(watched);
    parent->addSubview(std::make_shared<View>());
    parent->insertSubview(watched, 2);
    EXPECT_EQ(watched->moves, 1) << "reordering is not a move";
    watched->removeFromSuperview();
    EXPECT_EQ(watched->moves, 2);
}

TEST_F(ViewTreeTest, AViewCannotContainItsOwnAncestor) {
    auto parent = std::make_shared<View>();
    auto child = std::make_shared<View>();
    parent->addSubview(child);
    child->addSubview(parent);
    parent->addSubview(parent);
    EXPECT_EQ(parent->superview(), nullptr);
    EXPECT_EQ(child->subviews().size(), 0u);
}

TEST_F(ViewTreeTest, SubviewsLoseTheirSuperviewWhenItGoes) {
    auto child = std::make_shared<View>();
    {
        auto parent = std::make_shared<View>();
        parent->addSubview(child);
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST_F(ViewTreeTest, ViewWithTagSearchesDepthFirstIncludingItself) {
    auto root = tagged(1);
    auto branch = tagged(2);
    auto leaf = tagged(3);
    root->addSubview(branch);
    branch->addSubview(leaf);
    root->addSubview(tagged(3));
    EXPECT_EQ(root->viewWithTag(1), root);
    EXPECT_EQ(root->viewWithTag(3), leaf);
    EXPECT_EQ(root->viewWithTag(9), nullptr);
}

TEST_F(ViewTreeTest, SetNeedsDisplayMarksTheWindowForRedraw) {
    auto parent = std::make_shared<View>(Rect(0, 0, 100, 100));
    auto child = std::make_shared<View>(Rect(0, 0, 10, 10));
    parent->addSubview(child);
    window_->addSubview(parent);
    window_->clearNeedsRedraw();
    child->clearNeedsDisplay();
    child->setNeedsDisplay();
    EXPECT_TRUE(child->needsDisplay());
    EXPECT_TRUE(window_->needsRedraw());

    window_->clearNeedsRedraw();
    child->setAlpha(child->alpha());
    EXPECT_FALSE(window_->needsRedraw()) << "an unchanged value redraws nothing";
    child->setHidden(true);
    EXPECT_TRUE(window_->needsRedraw());
}

TEST_F(ViewTreeTest, FrameBoundsAndCenterAgree) {
    View view(Rect(10, 20, 100, 50));
    EXPECT_EQ(view.center(), (Point{60, 45}));
    EXPECT_EQ(view.bounds(), Rect(0, 0, 100, 50));
    view.setCenter(Point{0, 0});
    EXPECT_EQ(view.frame(), Rect(-50, -25, 100, 50));
    view.setBounds(Rect(5, 5, 20, 10));
    EXPECT_EQ(view.frame(), Rect(-10, -5, 20, 10));
    view.setTransform(AffineTransform::scale(2, 2));
    EXPECT_EQ(view.frame(), Rect(-20, -10, 40, 20));
    view.setAlpha(3);
    EXPECT_EQ(view.alpha(), 1);
}

TEST_F(ViewTreeTest, WindowIsFoundFromAnyViewInItsTree) {
    auto parent = std::make_shared<View>();
    auto child = std::make_shared<View>();
    parent->addSubview(child);
    EXPECT_EQ(child->window(), nullptr);
    window_->addSubview(parent);
    EXPECT_EQ(child->window(), window_.get());
    EXPECT_TRUE(window_->isKeyWindow());
}

} // namespace
} // namespace florelle
