// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeLock.h"

#include "PasscodeSetting.h"
#include "PasscodeViewController.h"
#include "foundation/Strings.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"
#include "ui/Window.h"

namespace florelle {

std::shared_ptr<PasscodeLock> PasscodeLock::create() {
    std::shared_ptr<PasscodeLock> lock(new PasscodeLock());
    lock->cover_ = std::make_shared<View>();
    lock->cover_->setBackgroundColor(Color::black());
    lock->passcodeNavController()->navigationBar()->setBarStyle(NavigationBar::Style::black);
    return lock;
}

bool PasscodeLock::lockIfSet(Window& window) {
    auto code = PasscodeSetting::stored();
    if (!code) {
        return isLocked();
    }
    passCode_ = *code;
    startEntry();

    cover_->setFrame(window.bounds());
    auto& navigation = passcodeNavController();
    auto panelView = navigation->view();
    panelView->setFrame(Rect(0, 20, 320, 460));
    cover_->addSubview(panelView);
    if (!isLocked()) {
        previousResponder_ = window.firstResponder();
    }
    window_ = std::static_pointer_cast<Window>(window.shared_from_this());
    window.setCover(cover_);
    navigation->viewWillAppear(false);
    passcodeViewController()->myTextField()->becomeFirstResponder();
    return true;
}

bool PasscodeLock::isLocked() const {
    auto window = window_.lock();
    return window && cover_->superview() == window.get();
}

void PasscodeLock::dismissPascode() {
    stopAnswer();
    passcodeViewController()->myTextField()->resignFirstResponder();
    if (auto window = window_.lock(); window && window->cover() == cover_) {
        window->setCover(nullptr);
    }
    cover_->removeFromSuperview();
    if (auto previous = previousResponder_.lock(); previous && previous->window()) {
        previous->becomeFirstResponder();
    }
    previousResponder_.reset();
}

bool PasscodeLock::didEndPasscodeEditing(PasscodeViewController&, int panelView,
                                         long long passCode) {
    if (panelView != PasscodeViewController::firstPanel) {
        return true;
    }
    if (passCode != passCode_) {
        answer(Strings::localized("Invalid passcode! Key"), Color::red(), answerDelay,
               [this] { passcodeViewController()->clearPanel(); });
        return false;
    }
    answer(Strings::localized("Passcode correct! Key"), Color::white(), answerDelay,
           [this] { dismissPascode(); });
    return true;
}

void PasscodeLock::didShowPasscodePanel(PasscodeViewController& panel, int) {
    setTitles(panel, "Unlock Florelle Key",
              {"Enter your passcode Key", "Re-enter your passcode Key"});
}

} // namespace florelle
