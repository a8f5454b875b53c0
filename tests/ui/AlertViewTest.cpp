// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AlertView.h"

#include "UiTest.h"
#include "ui/ActivityIndicator.h"
#include "ui/Button.h"

#include <string>
#include <vector>

namespace florelle {
namespace {

class Answers : public AlertViewDelegate {
public:
    void clickedButtonAtIndex(AlertView&, int index) override { clicked.push_back(index); }
    void didDismissWithButtonIndex(AlertView&, int index) override { dismissed.push_back(index); }
    std::vector<int> clicked;
    std::vector<int> dismissed;
};

class AlertViewTest : public testing::UiTest {
protected:
    std::shared_ptr<AlertView> makeAlert(const std::vector<std::string>& others) {
        return std::make_shared<AlertView>("Rate it", "Would you mind taking a moment?", answers_,
                                           "No", others);
    }

    void tapButton(const AlertView& alert, int index) {
        auto button = alert.button(index);
        tap(button->convertPointToWindow(Point{button->bounds().midX(), button->bounds().midY()}));
    }

    std::shared_ptr<Answers> answers_ = std::make_shared<Answers>();
};

TEST_F(AlertViewTest, ReportsTheButtonPressedAndGoes) {
    auto alert = makeAlert({"Yes, rate it!", "Later"});
    EXPECT_EQ(alert->numberOfButtons(), 3);
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->buttonTitleAtIndex(2), "Later");
    alert->show();
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->superview(), window_.get());
    advance(AlertView::fadeDuration);

    tapButton(*alert, 1);
    EXPECT_EQ(answers_->clicked, std::vector<int>{1});
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(answers_->dismissed.empty());
    advance(AlertView::fadeDuration + 0.01);
    EXPECT_EQ(answers_->dismissed, std::vector<int>{1});
    EXPECT_EQ(alert->superview(), nullptr);
}

TEST_F(AlertViewTest, TheCancelButtonStandsLastUnlessThereAreTwo) {
    auto three = makeAlert({"Yes", "Later"});
    three->show();
    double cancelY = three->button(0)->frame().minY();
    EXPECT_GT(cancelY, three->button(1)->frame().minY());
    EXPECT_GT(cancelY, three->button(2)->frame().minY());
    three->dismissWithClickedButtonIndex(0, false);

    auto two = makeAlert({"OK"});
    two->show();
    EXPECT_EQ(two->button(0)->frame().minY(), two->button(1)->frame().minY());
    EXPECT_LT(two->button(0)->frame().minX(), two->button(1)->frame().minX());
}

TEST_F(AlertViewTest, TheAlertTakesEveryTouchWhileShown) {
    auto behind = std::make_shared<Button>(Rect(0, 0, 320, 60));
    int presses = 0;
    behind->onTouchUpInside = [&] { ++presses; };
    window_->addSubview(behind);
    auto alert = makeAlert({});
    alert->show();
    advance(AlertView::fadeDuration);
    tap(Point{160, 30});
    EXPECT_EQ(presses, 0);
    tapButton(*alert, 0);
    EXPECT_EQ(answers_->clicked, std::vector<int>{0});
    advance(1);
    tap(Point{160, 30});
    EXPECT_EQ(presses, 1);
}

TEST_F(AlertViewTest, DismissingInCodeTellsOnlyTheDismissal) {
    auto alert = makeAlert({"Yes"});
    alert->show();
    alert->dismissWithClickedButtonIndex(1, false);
    advance(0.01);
    EXPECT_TRUE(answers_->clicked.empty());
    EXPECT_EQ(answers_->dismissed, std::vector<int>{1});
}

TEST_F(AlertViewTest, TheActivityIndicatorTurnsWhileAnimating) {
    ActivityIndicator indicator(ActivityIndicator::Style::whiteLarge);
    EXPECT_EQ(indicator.bounds().size, (Size{37, 37}));
    EXPECT_TRUE(indicator.isHidden());
    indicator.startAnimating();
    EXPECT_FALSE(indicator.isHidden());
    advance(ActivityIndicator::stepInterval * 1.01);
    advance(ActivityIndicator::stepInterval);
    advance(ActivityIndicator::stepInterval);
    EXPECT_EQ(indicator.step(), 3);
    indicator.stopAnimating();
    EXPECT_TRUE(indicator.isHidden());
    advance(1);
    EXPECT_EQ(indicator.step(), 3);
    indicator.setHidesWhenStopped(false);
    EXPECT_FALSE(indicator.isHidden());
}

} // namespace
} // namespace florelle
