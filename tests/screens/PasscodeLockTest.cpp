// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeTest.h"
#include "screens/PasscodePage.h"
#include "screens/PasscodeViewController.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Keyboard.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"

namespace florelle::testing {
namespace {

class PasscodeLockTest : public PasscodeTest {
protected:
    PasscodeLock& lock() { return *delegate_->lock; }
    PasscodeViewController& panel() { return *lock().passcodeViewController(); }
    std::string summary() { return panel().summaryLabel()->text(); }
};

TEST_F(PasscodeLockTest, AStoredPasscodeLocksAtActivation) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(1234));
    launch();
    ASSERT_TRUE(lock().isLocked());
    auto window = host_->keyWindow();
    EXPECT_EQ(window->cover(),
              lock().passcodeNavController()->view()->superview()->shared_from_this());
    EXPECT_EQ(window->cover()->frame(), window->bounds());
    EXPECT_EQ(lock().passcodeNavController()->view()->frame(), Rect(0, 20, 320, 460));
    EXPECT_TRUE(panel().myTextField()->isFirstResponder());
    auto bar = lock().passcodeNavController()->navigationBar();
    EXPECT_EQ(bar->barStyle(), NavigationBar::Style::black);
    EXPECT_EQ(bar->title(), "Unlock Florelle");
    EXPECT_FALSE(bar->leftButton());
    EXPECT_EQ(panel().page(0)->titleLabel()->text(), "Enter your passcode");
    EXPECT_EQ(panel().page(-320)->titleLabel()->text(), "Enter your passcode again");
    host_->advance(1);
    keepScreenshot("passcode-lock");
}

TEST_F(PasscodeLockTest, NoPasscodeNoLock) {
    launch();
    EXPECT_EQ(storedText(), "");
    EXPECT_FALSE(lock().isLocked());
    EXPECT_FALSE(host_->keyWindow()->cover());
    EXPECT_FALSE(log_->contains("passcode"));
}

TEST_F(PasscodeLockTest, AMissingSettingIsNoLockAndIsLogged) {
    ASSERT_TRUE(SQLiteAccess::deleteWithSQL("DELETE FROM settings WHERE name = 'APP_PASSWORD'"));
    ASSERT_FALSE(storedText());
    launch();
    EXPECT_FALSE(lock().isLocked());
    EXPECT_TRUE(log_->contains("The passcode setting cannot be read; the diary is not locked"));
    // Typing nothing, and four zeros in particular, is never asked for.
    EXPECT_FALSE(Keyboard::of(*host_->keyWindow()));
}

TEST_F(PasscodeLockTest, ASettingThatIsNoNumberIsNoLockAndIsLogged) {
    ASSERT_TRUE(SQLiteAccess::updateWithSQL(
        "UPDATE settings SET value = 'x1' WHERE name = 'APP_PASSWORD'"));
    launch();
    EXPECT_FALSE(lock().isLocked());
    EXPECT_TRUE(log_->contains("The passcode setting is not a number; the diary is not locked"));
}

TEST_F(PasscodeLockTest, TheRightCodeUnlocksAQuarterSecondLater) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(4711));
    launch();
    tapKeys("4711");
    EXPECT_EQ(summary(), "Welcome back!");
    EXPECT_EQ(panel().summaryLabel()->textColor(), Color::white());
    host_->advance(0.24);
    EXPECT_TRUE(lock().isLocked());
    host_->advance(0.02);
    EXPECT_FALSE(lock().isLocked());
    EXPECT_FALSE(host_->keyWindow()->cover());
    EXPECT_FALSE(host_->keyWindow()->firstResponder());
    host_->advance(1);
    EXPECT_FALSE(Keyboard::of(*host_->keyWindow())->isUp());
}

TEST_F(PasscodeLockTest, AWrongCodeIsAnsweredAndClearedAQuarterSecondLater) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(4711));
    launch();
    host_->advance(Keyboard::slideDuration);
    tapKeys("4712");
    EXPECT_EQ(summary(), "Wrong passcode, please try again.");
    EXPECT_EQ(panel().summaryLabel()->textColor(), Color::red());
    EXPECT_EQ(boxes(panel(), 0), (std::vector<std::string>{"4", "7", "1", "2"}));
    keepScreenshot("passcode-lock-wrong");
    host_->advance(0.24);
    EXPECT_EQ(boxes(panel(), 0)[3], "2");
    host_->advance(0.02);
    EXPECT_EQ(boxes(panel(), 0), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(panel().myTextField()->text(), "");
    EXPECT_TRUE(lock().isLocked());
    // No count of tries: the next keystroke just clears the message.
    host_->type("4");
    EXPECT_EQ(summary(), "");
    host_->type("711");
    host_->advance(0.26);
    EXPECT_FALSE(lock().isLocked());
}

TEST_F(PasscodeLockTest, CodesAreComparedAsNumbers) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(123));
    launch();
    host_->type("0123");
    host_->advance(0.26);
    EXPECT_FALSE(lock().isLocked());
}

TEST_F(PasscodeLockTest, EveryActivationLocksAgainWhileAPasscodeIsSet) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(1111));
    launch();
    host_->type("1111");
    host_->advance(0.26);
    ASSERT_FALSE(lock().isLocked());
    reactivate();
    EXPECT_TRUE(lock().isLocked());
    EXPECT_EQ(summary(), "");
    EXPECT_TRUE(panel().myTextField()->isFirstResponder());
    // Half-typed and away: the panel is cleared on the way back.
    host_->type("11");
    reactivate();
    EXPECT_EQ(boxes(panel(), 0), (std::vector<std::string>{"", "", "", ""}));
    ASSERT_TRUE(
        SQLiteAccess::updateWithSQL("UPDATE settings SET value='' WHERE name='APP_PASSWORD'"));
    host_->type("1111");
    host_->advance(0.26);
    reactivate();
    EXPECT_FALSE(lock().isLocked());
}

class Counter : public AlertViewDelegate {
public:
    void clickedButtonAtIndex(AlertView&, int) override { ++clicks; }
    int clicks = 0;
};

TEST_F(PasscodeLockTest, NothingBehindTheLockCanBeSeenOrTouched) {
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(2580));
    launch();
    ASSERT_TRUE(lock().isLocked());
    auto window = host_->keyWindow();
    host_->advance(1);
    std::string lockAlone = screenBytes();

    // The diary behind: a page strip full of buttons, an alert that was open,
    // a calendar sliding in after the lock came up, a field wanting the keyboard.
    int taps = 0;
    auto strip = std::make_shared<Button>(window->bounds());
    strip->setBackgroundColor(Color::red());
    strip->onTouchUpInside = [&] { ++taps; };
    window->insertSubview(strip, 0);
    auto counter = std::make_shared<Counter>();
    auto alert = std::make_shared<AlertView>("Saved", "Your note is saved.", counter, "OK",
                                             std::vector<std::string>{});
    alert->show();
    auto calendar = std::make_shared<Button>(Rect(0, 480, 320, 460));
    calendar->setBackgroundColor(Color::green());
    calendar->onTouchUpInside = [&] { ++taps; };
    window->addSubview(calendar);
    View::animate(0.3, [&] { calendar->setFrame(Rect(0, 20, 320, 460)); });
    auto note = std::make_shared<TextField>(Rect(10, 30, 300, 30));
    window->addSubview(note);
    host_->advance(0.15);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(window->subviews().back(), Keyboard::of(*window));
    EXPECT_EQ(window->subviews()[window->subviews().size() - 2], window->cover());
    host_->advance(1);
    EXPECT_TRUE(lockAlone == screenBytes());

    for (Point point : {Point{160, 10}, Point{160, 240}, Point{300, 150}, Point{30, 45}}) {
        host_->tap(point);
    }
    Rect okFrame = alert->button(0)->convertRect(alert->button(0)->bounds(), nullptr);
    host_->tap(Point{okFrame.midX(), okFrame.midY()});
    EXPECT_EQ(taps, 0);
    EXPECT_EQ(counter->clicks, 0);
    note->becomeFirstResponder();
    EXPECT_FALSE(note->isFirstResponder());
    EXPECT_TRUE(panel().myTextField()->isFirstResponder());

    // Where the alert's button was, the keyboard is: its key took the tap.
    panel().clearPanel();
    host_->type("2580");
    host_->advance(0.26);
    EXPECT_FALSE(lock().isLocked());
    host_->advance(1);
    // Unlocked, the diary takes touches again: the calendar on top, then the alert.
    host_->tap(Point{okFrame.midX(), okFrame.midY()});
    EXPECT_EQ(taps, 1);
    calendar->removeFromSuperview();
    host_->tap(Point{okFrame.midX(), okFrame.midY()});
    EXPECT_EQ(counter->clicks, 1);
}

TEST_F(PasscodeLockTest, AFingerAlreadyDownLetsGoWhenTheLockComesUp) {
    launch();
    auto window = host_->keyWindow();
    int taps = 0;
    auto strip = std::make_shared<Button>(window->bounds());
    strip->onTouchUpInside = [&] { ++taps; };
    window->addSubview(strip);
    host_->input().down(1, Point{100, 100});
    EXPECT_TRUE(strip->isTracking());
    ASSERT_TRUE(DatabaseController::saveLocalPasscode(1));
    ASSERT_TRUE(lock().lockIfSet(*window));
    EXPECT_FALSE(strip->isTracking());
    host_->input().up(1, Point{100, 100});
    EXPECT_EQ(taps, 0);
}

} // namespace
} // namespace florelle::testing
