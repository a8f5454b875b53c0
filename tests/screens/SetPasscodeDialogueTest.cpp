// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/SetPasscodeDialogue.h"

#include "PasscodeTest.h"
#include "screens/PasscodePage.h"
#include "screens/PasscodeViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"

namespace florelle::testing {
namespace {

class SetPasscodeDialogueTest : public PasscodeTest {
protected:
    void SetUp() override {
        PasscodeTest::SetUp();
        launch();
        dialogue_->onDismiss = [this] { ++dismissals_; };
        dialogue_->presentPasscode(*host_->keyWindow());
        host_->advance(0.3);
    }

    PasscodeViewController& panel() { return *dialogue_->passcodeViewController(); }
    std::string summary() { return panel().summaryLabel()->text(); }

    std::shared_ptr<SetPasscodeDialogue> dialogue_ = SetPasscodeDialogue::create();
    int dismissals_ = 0;
};

TEST_F(SetPasscodeDialogueTest, SlidesUpOnTheFirstPageWithTheKeyboard) {
    auto shown = dialogue_->passcodeNavController()->view();
    EXPECT_EQ(shown->superview(), host_->keyWindow().get());
    EXPECT_EQ(shown->presentationFrame(), Rect(0, 20, 320, 460));
    EXPECT_EQ(panel().currentPanel(), 0);
    EXPECT_TRUE(panel().myTextField()->isFirstResponder());
    auto bar = dialogue_->passcodeNavController()->navigationBar();
    EXPECT_EQ(bar->title(), "Set passcode");
    ASSERT_TRUE(bar->leftButton());
    EXPECT_EQ(bar->leftButton()->currentTitle(), "Cancel");
    EXPECT_EQ(panel().page(0)->titleLabel()->text(), "Choose a four-digit passcode");
    EXPECT_EQ(panel().page(-320)->titleLabel()->text(), "Enter your passcode again");
    EXPECT_EQ(panel().page(-640)->titleLabel()->text(), "Confirm your passcode");
    keepScreenshot("passcode-set-first");
}

TEST_F(SetPasscodeDialogueTest, TwoEqualCodesAreStoredAndTheDialogueCloses) {
    tapKeys("2468");
    EXPECT_EQ(panel().currentPanel(), -320);
    EXPECT_EQ(panel().myTextField()->text(), "");
    EXPECT_EQ(storedText(), "");
    host_->advance(0.3);
    keepScreenshot("passcode-set-again");
    tapKeys("2468");
    EXPECT_EQ(summary(), "Password Set!");
    EXPECT_EQ(storedText(), "2468");
    host_->advance(0.69);
    EXPECT_TRUE(dialogue_->isPresented());
    host_->advance(0.02);
    EXPECT_FALSE(dialogue_->isPresented());
    EXPECT_FALSE(panel().myTextField()->isFirstResponder());
    EXPECT_EQ(dismissals_, 1);
    auto shown = dialogue_->passcodeNavController()->view();
    EXPECT_EQ(shown->frame(), Rect(0, 460, 320, 460));
    host_->advance(0.31);
    EXPECT_FALSE(shown->superview());

    // The next activation asks for it.
    reactivate();
    EXPECT_TRUE(delegate_->lock->isLocked());
}

TEST_F(SetPasscodeDialogueTest, AMismatchStartsOver) {
    host_->type("1234");
    host_->type("1235");
    EXPECT_EQ(panel().currentPanel(), 0);
    EXPECT_EQ(summary(), "Passcode did not match. Try again.");
    EXPECT_EQ(boxes(panel(), 0), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(storedText(), "");
    host_->type("9");
    EXPECT_EQ(summary(), "");
    host_->type("876");
    host_->type("9876");
    EXPECT_EQ(storedText(), "9876");
}

TEST_F(SetPasscodeDialogueTest, FourZerosAreStoredAsZeroAndUnlock) {
    host_->type("0000");
    host_->type("0000");
    EXPECT_EQ(storedText(), "0");
    host_->advance(1);
    reactivate();
    ASSERT_TRUE(delegate_->lock->isLocked());
    host_->type("0000");
    host_->advance(0.26);
    EXPECT_FALSE(delegate_->lock->isLocked());
}

TEST_F(SetPasscodeDialogueTest, CancelClosesWithoutStoring) {
    host_->type("1234");
    tapCancel(panel());
    EXPECT_FALSE(dialogue_->isPresented());
    EXPECT_EQ(dismissals_, 1);
    host_->advance(0.31);
    EXPECT_FALSE(dialogue_->passcodeNavController()->view()->superview());
    EXPECT_EQ(storedText(), "");

    // Opened again, it starts on its first page.
    dialogue_->presentPasscode(*host_->keyWindow());
    host_->advance(0.3);
    EXPECT_EQ(panel().currentPanel(), 0);
    EXPECT_TRUE(dialogue_->passcodeNavController()->view()->superview());
}

TEST_F(SetPasscodeDialogueTest, TheLockCoversAnOpenDialogueAndGivesItsKeyboardBack) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(5555));
    host_->type("12");
    reactivate();
    ASSERT_TRUE(delegate_->lock->isLocked());
    EXPECT_FALSE(panel().myTextField()->isFirstResponder());
    host_->type("5555");
    host_->advance(0.26);
    EXPECT_FALSE(delegate_->lock->isLocked());
    EXPECT_TRUE(panel().myTextField()->isFirstResponder());
    EXPECT_EQ(panel().myTextField()->text(), "12");
}

} // namespace
} // namespace florelle::testing
