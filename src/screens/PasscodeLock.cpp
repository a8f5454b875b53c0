#include "PasscodeLock.h"

#include "PasscodePage.h"
#include "PasscodeSetting.h"
#include "PasscodeViewController.h"
#include "foundation/Strings.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"
#include "ui/Window.h"

namespace florelle {

std::shared_ptr<PasscodeLock> PasscodeLock::create() {
    std::shared_ptr<PasscodeLock> lock(new PasscodeLock());
    lock->passcodeViewController_ = std::make_shared<PasscodeViewController>(lock);
    lock->passcodeNavController_ =
        std::make_shared<NavigationController>(lock->passcodeViewController_);
    lock->passcodeNavController_->navigationBar()->setBarStyle(NavigationBar::Style::black);
    lock->cover_ = std::make_shared<View>();
    lock->cover_->setBackgroundColor(Color::black());
    return lock;
}

bool PasscodeLock::lockIfSet(Window& window) {
    auto code = PasscodeSetting::stored();
    if (!code) {
        return isLocked();
    }
    passCode_ = *code;
    answer_.invalidate();
    passcodeViewController_->clearPanel();
    passcodeViewController_->summaryLabel()->setText("");

    cover_->setFrame(window.bounds());
    auto panelView = passcodeNavController_->view();
    panelView->setFrame(Rect(0, 20, 320, 460));
    cover_->addSubview(panelView);
    if (!isLocked()) {
        previousResponder_ = window.firstResponder();
    }
    window_ = std::static_pointer_cast<Window>(window.shared_from_this());
    window.setCover(cover_);
    passcodeNavController_->viewWillAppear(false);
    passcodeViewController_->myTextField()->becomeFirstResponder();
    return true;
}

bool PasscodeLock::isLocked() const {
    auto window = window_.lock();
    return window && cover_->superview() == window.get();
}

void PasscodeLock::dismissPascode() {
    answer_.invalidate();
    passcodeViewController_->myTextField()->resignFirstResponder();
    if (auto window = window_.lock(); window && window->cover() == cover_) {
        window->setCover(nullptr);
    }
    cover_->removeFromSuperview();
    if (auto previous = previousResponder_.lock(); previous && previous->window()) {
        previous->becomeFirstResponder();
    }
    previousResponder_.reset();
}

bool PasscodeLock::shouldChangePasscode(PasscodeViewController& panel, int, long long, int) {
    panel.summaryLabel()->setText("");
    return true;
}

bool PasscodeLock::didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                                         long long passCode) {
    if (panelView != PasscodeViewController::firstPanel) {
        return true;
    }
    std::weak_ptr<PasscodeLock> weakSelf = weak_from_this();
    auto summary = panel.summaryLabel();
    if (passCode != passCode_) {
        summary->setText(Strings::localized("Invalid passcode! Key"));
        summary->setTextColor(Color::red());
        answer_ = Timer(answerDelay, false, [weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->passcodeViewController_->clearPanel();
            }
        });
        return false;
    }
    summary->setText(Strings::localized("Passcode correct! Key"));
    summary->setTextColor(Color::white());
    answer_ = Timer(answerDelay, false, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->dismissPascode();
        }
    });
    return true;
}

void PasscodeLock::didShowPasscodePanel(PasscodeViewController& panel, int) {
    panel.setBarTitle(Strings::localized("Unlock Florelle Key"));
    panel.page(PasscodeViewController::firstPanel)
        ->titleLabel()
        ->setText(Strings::localized("Enter your passcode Key"));
    panel.page(PasscodeViewController::secondPanel)
        ->titleLabel()
        ->setText(Strings::localized("Re-enter your passcode Key"));
}

} // namespace florelle
