// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeDemo.h"

#include "screens/PasscodeLock.h"
#include "screens/PasscodeSetting.h"
#include "screens/ProfilePasscodeController.h"
#include "screens/SetPasscodeDialogue.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

#include <functional>

namespace florelle {

namespace {

std::shared_ptr<Button> makeButton(const std::string& title, double y,
                                   std::function<void()> action) {
    auto button = std::make_shared<Button>(Rect(40, y, 240, 44));
    button->setTitle(title);
    button->setBackgroundColor(Color::white());
    button->setTitleColor(Color(0.2, 0.3, 0.5));
    button->onTouchUpInside = std::move(action);
    return button;
}

} // namespace

bool PasscodeDemo::didFinishLaunching(Application&, const LaunchOptions&) {
    window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
    window_->setBackgroundColor(Color::black());
    lock_ = PasscodeLock::create();
    setDialogue_ = SetPasscodeDialogue::create();

    auto home = std::make_shared<ViewController>();
    home->setTitle("Passcode");
    auto& screen = home->view();
    screen->setBackgroundColor(Color(0.890, 0.949, 0.976));
    auto note = std::make_shared<Label>(Rect(20, 20, 280, 60));
    note->setNumberOfLines(0);
    note->setTextAlignment(TextAlignment::Center);
    note->setText("The passcode dialogues, and the lock that comes up at every start.");
    screen->addSubview(note);

    // The buttons live in the window this delegate owns.
    auto* self = this;
    screen->addSubview(makeButton("Set passcode", 100, [self] {
        if (!PasscodeSetting::stored()) {
            self->setDialogue_->presentPasscode(*self->window_);
        }
    }));
    screen->addSubview(makeButton("Passcode options", 160, [self] {
        if (PasscodeSetting::stored()) {
            self->navigation_->pushViewController(std::make_shared<ProfilePasscodeController>(),
                                                  true);
        }
    }));
    screen->addSubview(
        makeButton("Lock now", 220, [self] { self->lock_->lockIfSet(*self->window_); }));

    navigation_ = std::make_shared<NavigationController>(home);
    navigation_->view()->setFrame(Rect(0, 20, 320, 460));
    window_->addSubview(navigation_->view());
    window_->makeKeyAndVisible();
    return true;
}

void PasscodeDemo::didBecomeActive(Application&) {
    lock_->lockIfSet(*window_);
}

} // namespace florelle
