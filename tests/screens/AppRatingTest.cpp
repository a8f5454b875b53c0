// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/AppRating.h"

#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "support/FakeNetwork.h"
#include "support/TestEnvironment.h"
#include "ui/AlertView.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Window.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace florelle::testing {
namespace {

constexpr double day = 86400;

class AppRatingTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        application_ = std::make_unique<Application>();
        window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
        window_->makeKeyAndVisible();
        defaults_ = UserDefaults::standardUserDefaults();
        AppRating::setReviewPageOpener([this](const std::string& address) {
            opened_.push_back(address);
            return true;
        });
    }

    void TearDown() override {
        AppRating::setReviewPageOpener({});
        window_.reset();
        application_.reset();
        RunLoop::current().runOnce();
        DiaryTest::TearDown();
    }

    // One activation of `version`, counted on this thread; then the main
    // loop runs what it was handed. The shown prompt, if any.
    std::shared_ptr<AlertView> activate(const std::string& version = "1.0") {
        std::make_shared<AppRating>(defaults_, version)->_appLaunched();
        RunLoop::current().runOnce();
        return prompt();
    }

    std::shared_ptr<AlertView> prompt() const {
        for (const auto& view : window_->subviews()) {
            if (auto alert = std::dynamic_pointer_cast<AlertView>(view);
                alert && alert->isVisible()) {
                return alert;
            }
        }
        return nullptr;
    }

    // Five activations spread over more than a day: the sixth is due.
    void leadUpToPrompt(const std::string& version = "1.0") {
        for (int i = 0; i < 5; ++i) {
            ASSERT_EQ(activate(version), nullptr) << i;
            clock_->advance(day / 4 + 1);
        }
    }

    void answer(const std::shared_ptr<AlertView>& alert, AppRating::Answer button) {
        alert->button(button)->onTouchUpInside();
        clock_->advance(AlertView::fadeDuration + 0.01);
        RunLoop::current().runOnce();
    }

    FakeNetwork network_;
    std::unique_ptr<Application> application_;
    std::shared_ptr<Window> window_;
    std::shared_ptr<UserDefaults> defaults_;
    std::vector<std::string> opened_;
};

TEST_F(AppRatingTest, TheFirstActivationOfAVersionStartsCounting) {
    EXPECT_EQ(activate(), nullptr);
    EXPECT_EQ(defaults_->stringForKey(AppRating::kRatingCurrentVersion), "1.0");
    EXPECT_EQ(defaults_->integerForKey(AppRating::kRatingLaunchCount), 1);
    EXPECT_EQ(defaults_->doubleForKey(AppRating::kRatingLaunchDate),
              clock_->now().timeIntervalSince1970());
    // Written to the file, not only kept in memory.
    UserDefaults reread(defaults_->file());
    EXPECT_EQ(reread.integerForKey(AppRating::kRatingLaunchCount), 1);
}

TEST_F(AppRatingTest, TheSixthActivationAfterADayOnlineAsks) {
    leadUpToPrompt();
    auto alert = activate();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Rate Florelle");
    EXPECT_EQ(alert->message(),
              "If you enjoy using Florelle, would you mind taking a moment to rate this version? "
              "It won't take more than a minute. Thanks for your support!");
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "No");
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "Yes, rate it!");
    EXPECT_EQ(alert->buttonTitleAtIndex(2), "Later");
    // A further activation while it is up does not stack a second one.
    activate();
    int shown = 0;
    for (const auto& view : window_->subviews()) {
        shown += std::dynamic_pointer_cast<AlertView>(view) != nullptr;
    }
    EXPECT_EQ(shown, 1);
    answer(alert, AppRating::later);
}

TEST_F(AppRatingTest, NoPromptTooEarlyOrOffline) {
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(activate(), nullptr) << "within the first day, activation " << i;
    }
    clock_->advance(day);
    EXPECT_EQ(activate(), nullptr) << "a day is not more than a day";
    clock_->advance(1);
    network_.setFlags(0);
    EXPECT_FALSE(AppRating::connectedToNetwork());
    EXPECT_EQ(activate(), nullptr);
    network_.setFlags(std::nullopt);
    EXPECT_EQ(activate(), nullptr);
    EXPECT_TRUE(log_->contains("Error. Could not recover network reachability flags"));
    network_.setFlags(NetworkFlag::reachable | NetworkFlag::connectionRequired);
    EXPECT_EQ(activate(), nullptr);
    network_.setFlags(NetworkFlag::transientConnection);
    auto alert = activate();
    ASSERT_NE(alert, nullptr);
    answer(alert, AppRating::later);
}

TEST_F(AppRatingTest, NoEndsTheAskingUntilANewVersion) {
    leadUpToPrompt();
    answer(activate(), AppRating::no);
    EXPECT_TRUE(UserDefaults(defaults_->file()).boolForKey(AppRating::kRatingDeclinedToRate));
    for (int i = 0; i < 3; ++i) {
        clock_->advance(day);
        EXPECT_EQ(activate(), nullptr);
    }
    EXPECT_TRUE(opened_.empty());

    EXPECT_EQ(activate("1.1"), nullptr);
    EXPECT_EQ(defaults_->integerForKey(AppRating::kRatingLaunchCount), 1);
    EXPECT_FALSE(defaults_->boolForKey(AppRating::kRatingDeclinedToRate));
    for (int i = 0; i < 4; ++i) {
        clock_->advance(day / 4 + 1);
        EXPECT_EQ(activate("1.1"), nullptr);
    }
    clock_->advance(day / 4 + 1);
    auto alert = activate("1.1");
    ASSERT_NE(alert, nullptr);
    answer(alert, AppRating::later);
}

TEST_F(AppRatingTest, LaterAsksAgainAtEveryActivation) {
    leadUpToPrompt();
    answer(activate(), AppRating::later);
    EXPECT_FALSE(defaults_->boolForKey(AppRating::kRatingDeclinedToRate));
    EXPECT_FALSE(defaults_->boolForKey(AppRating::kRatingRatedCurrentVersion));
    for (int i = 0; i < 2; ++i) {
        auto again = activate();
        ASSERT_NE(again, nullptr);
        answer(again, AppRating::later);
    }
}

TEST_F(AppRatingTest, YesOpensTheReviewPageOnce) {
    ::setenv("FLORELLE_REVIEW_URL", "https://store.test/review?id=APP_ID&page=0", 1);
    ::setenv("FLORELLE_STORE_ID", "4711", 1);
    leadUpToPrompt();
    answer(activate(), AppRating::yesRateIt);
    ::unsetenv("FLORELLE_REVIEW_URL");
    ::unsetenv("FLORELLE_STORE_ID");
    EXPECT_EQ(opened_, std::vector<std::string>{"https://store.test/review?id=4711&page=0"});
    EXPECT_TRUE(UserDefaults(defaults_->file()).boolForKey(AppRating::kRatingRatedCurrentVersion));
    clock_->advance(day);
    EXPECT_EQ(activate(), nullptr);
}

TEST_F(AppRatingTest, TheCountingRunsOnItsOwnThreadAndHandsThePromptOver) {
    defaults_->setString(AppRating::kRatingCurrentVersion, Bundle::version());
    defaults_->setDouble(AppRating::kRatingLaunchDate,
                         clock_->now().timeIntervalSince1970() - 2 * day);
    defaults_->setInteger(AppRating::kRatingLaunchCount, 5);
    AppRating::appLaunched();
    AppRating::appLaunched();
    AppRating::waitForBookkeeping();
    EXPECT_EQ(defaults_->integerForKey(AppRating::kRatingLaunchCount), 7);
    EXPECT_EQ(prompt(), nullptr);
    RunLoop::current().runOnce();
    auto alert = prompt();
    ASSERT_NE(alert, nullptr);
    answer(alert, AppRating::later);
}

} // namespace
} // namespace florelle::testing
