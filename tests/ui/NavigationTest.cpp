// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "ui/NavigationController.h"

#include <string>
#include <vector>

namespace florelle {
namespace {

using Log = std::vector<std::string>;

// A screen that writes each step of its life into a shared log.
class RecordingScreen : public ViewController {
public:
    RecordingScreen(std::string name, Log& log) : name_(std::move(name)), log_(log) {
        setTitle(name_);
    }
    void viewDidLoad() override { log_.push_back(name_ + " didLoad"); }
    void viewWillAppear(bool) override { log_.push_back(name_ + " willAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + " didAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + " willDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + " didDisappear"); }

private:
    std::string name_;
    Log& log_;
};

class ShowListener : public NavigationControllerDelegate {
public:
    void willShowViewController(NavigationController&, ViewController& controller, bool) override {
        shown.push_back(controller.title());
    }
    std::vector<std::string> shown;
};

class NavigationTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        root_ = std::make_shared<RecordingScreen>("root", log_);
        navigation_ = std::make_shared<NavigationController>(root_);
        navigation_->view()->setFrame(Rect(0, 20, 320, 460));
        window_->addSubview(navigation_->view());
        navigation_->delegate = listener_;
        log_.clear();
    }

    Log log_;
    std::shared_ptr<RecordingScreen> root_;
    std::shared_ptr<NavigationController> navigation_;
    std::shared_ptr<ShowListener> listener_ = std::make_shared<ShowListener>();
};

TEST_F(NavigationTest, ViewLoadsOnFirstUseOnly) {
    Log log;
    RecordingScreen screen("lazy", log);
    EXPECT_FALSE(screen.isViewLoaded());
    auto first = screen.view();
    auto second = screen.view();
    EXPECT_EQ(first, second);
    EXPECT_EQ(log, Log{"lazy didLoad"});
}

TEST_F(NavigationTest, PushSlidesInFromTheRightAndCallsTheLifecycleInOrder) {
    auto next = std::make_shared<RecordingScreen>("next", log_);
    navigation_->pushViewController(next, true);
    EXPECT_EQ(log_, (Log{"next didLoad", "root willDisappear", "next willAppear"}));
    EXPECT_EQ(listener_->shown, std::vector<std::string>{"next"});
    EXPECT_EQ(navigation_->navigationBar()->title(), "next");
    EXPECT_TRUE(navigation_->navigationBar()->showsBackButton());

    advance(NavigationController::slideDuration / 2);
    double shownX = next->view()->presentationFrame().minX();
    EXPECT_GT(shownX, 0);
    EXPECT_LT(shownX, 320);
    EXPECT_LT(root_->view()->presentationFrame().minX(), 0);
    EXPECT_EQ(log_.size(), 3u);

    advance(NavigationController::slideDuration);
    EXPECT_EQ(log_, (Log{"next didLoad", "root willDisappear", "next willAppear",
                         "root didDisappear", "next didAppear"}));
    testing::expectShown(next->view()->presentationFrame(), Rect(0, 44, 320, 416));
    EXPECT_EQ(root_->view()->superview(), nullptr);
    EXPECT_EQ(next->navigationController(), navigation_.get());
}

TEST_F(NavigationTest, PopSlidesBackAndCallsTheLifecycleInOrder) {
    auto next = std::make_shared<RecordingScreen>("next", log_);
    navigation_->pushViewController(next, false);
    advance(0.01);
    log_.clear();

    auto popped = navigation_->popViewController(true);
    EXPECT_EQ(popped, next);
    EXPECT_EQ(log_, (Log{"next willDisappear", "root willAppear"}));
    advance(NavigationController::slideDuration / 2);
    EXPECT_GT(next->view()->presentationFrame().minX(), 0);
    advance(NavigationController::slideDuration);
    EXPECT_EQ(log_, (Log{"next willDisappear", "root willAppear", "next didDisappear",
                         "root didAppear"}));
    EXPECT_EQ(navigation_->viewControllers().size(), 1u);
    EXPECT_EQ(next->navigationController(), nullptr);
    EXPECT_FALSE(navigation_->navigationBar()->showsBackButton());
}

TEST_F(NavigationTest, TheBackButtonPopsAndTheFirstScreenStays) {
    EXPECT_EQ(navigation_->popViewController(false), nullptr);
    navigation_->pushViewController(std::make_shared<RecordingScreen>("next", log_), false);
    advance(0.01);
    auto back = navigation_->navigationBar()->leftButton();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->currentTitle(), "root");
    tap(back->convertPointToWindow(Point{10, 10}));
    advance(1);
    EXPECT_EQ(navigation_->topViewController(), root_.get());
}

TEST_F(NavigationTest, APushDuringASlideIsIgnored) {
    navigation_->pushViewController(std::make_shared<RecordingScreen>("one", log_), true);
    navigation_->pushViewController(std::make_shared<RecordingScreen>("two", log_), true);
    advance(1);
    EXPECT_EQ(navigation_->viewControllers().size(), 2u);
}

TEST_F(NavigationTest, BarButtonsCallTheirActionsAndCancelIsASystemButton) {
    int cancels = 0;
    root_->navigationItem().leftBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, [&] { ++cancels; });
    root_->navigationItem().rightBarButtonItem =
        std::make_shared<BarButtonItem>("Save", BarButtonItem::Style::done);
    navigation_->updateNavigationBar();
    auto& bar = navigation_->navigationBar();
    ASSERT_TRUE(bar->leftButton());
    EXPECT_EQ(bar->leftButton()->currentTitle(), "Cancel");
    EXPECT_EQ(bar->rightButton()->currentTitle(), "Save");
    tap(bar->leftButton()->convertPointToWindow(Point{5, 5}));
    EXPECT_EQ(cancels, 1);
}

TEST_F(NavigationTest, HiddenBarGivesTheScreenTheWholeHeight) {
    navigation_->setNavigationBarHidden(true, false);
    advance(0.5);
    EXPECT_TRUE(navigation_->navigationBar()->isHidden());
    EXPECT_EQ(root_->view()->frame(), Rect(0, 0, 320, 460));
    navigation_->setNavigationBarHidden(false, true);
    advance(0.5);
    EXPECT_FALSE(navigation_->navigationBar()->isHidden());
    EXPECT_EQ(root_->view()->frame(), Rect(0, 44, 320, 416));
}

TEST_F(NavigationTest, ModalScreenSlidesUpAndDownWithItsLifecycle) {
    auto modal = std::make_shared<RecordingScreen>("modal", log_);
    navigation_->presentModalViewController(modal, true);
    EXPECT_EQ(log_, (Log{"modal didLoad", "modal willAppear", "root willDisappear"}));
    advance(ViewController::modalDuration / 2);
    double shownY = modal->view()->presentationFrame().minY();
    EXPECT_GT(shownY, 0);
    EXPECT_LT(shownY, 480);
    advance(ViewController::modalDuration);
    EXPECT_EQ(modal->view()->frame(), window_->bounds());
    EXPECT_EQ(navigation_->modalViewController(), modal.get());
    log_.clear();

    modal->dismissModalViewController(true);
    advance(ViewController::modalDuration * 2);
    EXPECT_EQ(log_, (Log{"modal willDisappear", "root willAppear", "modal didDisappear",
                         "root didAppear"}));
    EXPECT_EQ(modal->view()->superview(), nullptr);
    EXPECT_EQ(navigation_->modalViewController(), nullptr);
}

} // namespace
} // namespace florelle
