// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/ProfilePasscodeController.h"

#include "PasscodeTest.h"
#include "screens/PasscodePage.h"
#include "screens/PasscodeViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/TextField.h"

namespace florelle::testing {
namespace {

// The options pushed from a list, as the settings do.
class ProfilePasscodeControllerTest : public PasscodeTest {
protected:
    void SetUp() override {
        PasscodeTest::SetUp();
        ASSERT_TRUE(DatabaseController::saveLocalPasscode(1357));
        launch();
        host_->type("1357");
        host_->advance(0.26);
        ASSERT_FALSE(delegate_->lock->isLocked());
        auto list = std::make_shared<ViewController>();
        list->setTitle("Settings");
        settings_ = std::make_shared<NavigationController>(list);
        settings_->view()->setFrame(Rect(0, 20, 320, 460));
        host_->keyWindow()->addSubview(settings_->view());
        settings_->pushViewController(options_, false);
        host_->advance(1);
    }

    // Taps the row of the section on the options screen.
    void tapRow(int section) {
        auto& table = options_->tableView();
        Rect row = table->rectForRow(IndexPath{section, 0});
        host_->tap(table->convertPointToWindow(Point{row.midX(), row.midY()}));
        host_->advance(0.3);
    }

    PasscodeViewController& panel() { return *options_->passcodeViewController(); }
    std::string summary() { return panel().summaryLabel()->text(); }
    std::string barTitle() { return options_->passcodeNavController()->navigationBar()->title(); }

    std::shared_ptr<NavigationController> settings_;
    std::shared_ptr<ProfilePasscodeController> options_ =
        std::make_shared<ProfilePasscodeController>();
};

TEST_F(ProfilePasscodeControllerTest, ShowsTwoRows) {
    auto& table = options_->tableView();
    ASSERT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(0), 1);
    EXPECT_EQ(table->numberOfRowsInSection(1), 1);
    auto label = [&](int section) {
        auto cell = table->cellForRow(IndexPath{section, 0});
        return std::static_pointer_cast<Label>(cell->contentView()->viewWithTag(1));
    };
    EXPECT_EQ(label(0)->text(), "Turn passcode off");
    EXPECT_EQ(label(1)->text(), "Change passcode");
    EXPECT_EQ(label(1)->frame(), Rect(10, 8, 280, 20));
    EXPECT_EQ(table->cellForRow(IndexPath{1, 0})->accessoryType(), TableViewCell::Accessory::none);
    keepScreenshot("passcode-options");
}

TEST_F(ProfilePasscodeControllerTest, ChangingTakesTheOldCodeThenTheNewOneTwice) {
    tapRow(1);
    EXPECT_FALSE(options_->tableView()->indexPathForSelectedRow());
    ASSERT_TRUE(options_->isPanelPresented());
    EXPECT_TRUE(options_->changePass());
    EXPECT_EQ(barTitle(), "Change passcode");
    EXPECT_EQ(panel().page(0)->titleLabel()->text(), "Enter your current passcode");
    EXPECT_EQ(panel().page(-320)->titleLabel()->text(), "Enter your new passcode");
    EXPECT_EQ(panel().page(-640)->titleLabel()->text(), "Enter your new passcode again");
    keepScreenshot("passcode-change-old");

    tapKeys("1357");
    EXPECT_EQ(panel().currentPanel(), -320);
    host_->advance(0.2);
    keepScreenshot("passcode-change-new");
    tapKeys("2468");
    EXPECT_EQ(panel().currentPanel(), -640);
    host_->advance(0.2);
    keepScreenshot("passcode-change-again");

    tapKeys("2469");
    EXPECT_EQ(panel().currentPanel(), -320);
    EXPECT_EQ(summary(), "The passcodes did not match. Please try again.");
    EXPECT_EQ(storedText(), "1357");
    host_->advance(0.2);
    keepScreenshot("passcode-change-mismatch");

    tapKeys("2468");
    EXPECT_EQ(panel().currentPanel(), -640);
    EXPECT_EQ(summary(), "");
    tapKeys("2468");
    EXPECT_EQ(summary(), "Your passcode is set!");
    EXPECT_EQ(storedText(), "2468");
    host_->advance(0.68);
    EXPECT_TRUE(options_->isPanelPresented());
    host_->advance(0.03);
    EXPECT_FALSE(options_->isPanelPresented());
    EXPECT_FALSE(panel().myTextField()->isFirstResponder());

    // Every finished code is logged, but never the code itself.
    EXPECT_TRUE(log_->contains("END PASSCODE - -320"));
    EXPECT_FALSE(log_->contains("2468"));
    EXPECT_FALSE(log_->contains("1357"));

    reactivate();
    ASSERT_TRUE(delegate_->lock->isLocked());
    host_->type("2468");
    host_->advance(0.26);
    EXPECT_FALSE(delegate_->lock->isLocked());
}

TEST_F(ProfilePasscodeControllerTest, AWrongOldCodeIsAnsweredAndCleared) {
    tapRow(1);
    host_->type("1358");
    EXPECT_EQ(summary(), "Invalid passcode!");
    EXPECT_EQ(panel().summaryLabel()->textColor(), Color::red());
    EXPECT_EQ(panel().currentPanel(), 0);
    host_->advance(0.26);
    EXPECT_EQ(boxes(panel(), 0), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(storedText(), "1357");
}

TEST_F(ProfilePasscodeControllerTest, TurningOffStoresNoPasscodeAndGoesBack) {
    tapRow(0);
    EXPECT_FALSE(options_->changePass());
    EXPECT_EQ(barTitle(), "Turn passcode off");
    EXPECT_EQ(panel().page(0)->titleLabel()->text(), "Enter your passcode");
    host_->type("1357");
    EXPECT_EQ(summary(), "Passcode removed!");
    EXPECT_EQ(panel().summaryLabel()->textColor(), Color::white());
    EXPECT_EQ(storedText(), "");
    host_->advance(0.26);
    EXPECT_FALSE(options_->isPanelPresented());
    host_->advance(1);
    EXPECT_EQ(settings_->viewControllers().size(), 1u);

    reactivate();
    EXPECT_FALSE(delegate_->lock->isLocked());
}

TEST_F(ProfilePasscodeControllerTest, CancelStoresNothing) {
    tapRow(1);
    host_->type("1357");
    host_->type("99");
    tapCancel(panel());
    EXPECT_FALSE(options_->isPanelPresented());
    EXPECT_FALSE(panel().myTextField()->isFirstResponder());
    host_->advance(0.31);
    EXPECT_FALSE(options_->passcodeNavController()->view()->superview());
    EXPECT_EQ(storedText(), "1357");

    // Chosen again, the panel starts on its first page.
    tapRow(0);
    EXPECT_EQ(panel().currentPanel(), 0);
    EXPECT_EQ(barTitle(), "Turn passcode off");
}

} // namespace
} // namespace florelle::testing
