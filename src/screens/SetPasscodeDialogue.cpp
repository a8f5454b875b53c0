#include "SetPasscodeDialogue.h"

#include "PasscodePage.h"
#include "PasscodeViewController.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/BarButtonItem.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"
#include "ui/Window.h"

namespace florelle {

std::shared_ptr<SetPasscodeDialogue> SetPasscodeDialogue::create() {
    std::shared_ptr<SetPasscodeDialogue> dialogue(new SetPasscodeDialogue());
    dialogue->panel_ = std::make_shared<PasscodeViewController>(dialogue);
    dialogue->navigation_ = std::make_shared<NavigationController>(dialogue->panel_);
    std::weak_ptr<SetPasscodeDialogue> weakDialogue = dialogue;
    dialogue->panel_->navigationItem().leftBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, [weakDialogue] {
            if (auto self = weakDialogue.lock()) {
                self->dismiss();
            }
        });
    return dialogue;
}

void SetPasscodeDialogue::presentPasscode(Window& window) {
    closing_.invalidate();
    panel_->prevPanel();
    panel_->clearPanel();
    panel_->summaryLabel()->setText("");
    sheet_.present(*navigation_, window);
    panel_->myTextField()->becomeFirstResponder();
}

void SetPasscodeDialogue::dismiss() {
    closing_.invalidate();
    if (!sheet_.isPresented()) {
        return;
    }
    panel_->myTextField()->resignFirstResponder();
    sheet_.dismiss(*navigation_);
    if (auto call = onDismiss) {
        call();
    }
}

bool SetPasscodeDialogue::shouldChangePasscode(PasscodeViewController& panel, int, long long, int) {
    panel.summaryLabel()->setText("");
    return true;
}

bool SetPasscodeDialogue::didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                                                long long passCode) {
    if (panelView == PasscodeViewController::firstPanel) {
        passCode_ = passCode;
        panel.switchPanel(PasscodeViewController::secondPanel);
        return false;
    }
    retryPassCode_ = passCode;
    if (retryPassCode_ != passCode_) {
        panel.switchPanel(PasscodeViewController::firstPanel);
        panel.summaryLabel()->setText("Passcode did not match. Try again.");
        return false;
    }
    // The diary's alert says why when it cannot be stored.
    if (!DatabaseController::saveLocalPasscode(static_cast<int>(passCode))) {
        return false;
    }
    panel.summaryLabel()->setText("Password Set!");
    std::weak_ptr<SetPasscodeDialogue> weakSelf = weak_from_this();
    closing_ = Timer(closeDelay, false, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->dismiss();
        }
    });
    return true;
}

void SetPasscodeDialogue::didShowPasscodePanel(PasscodeViewController& panel, int) {
    panel.setBarTitle(Strings::localized("Set passcode key"));
    panel.page(PasscodeViewController::firstPanel)
        ->titleLabel()
        ->setText(Strings::localized("Enter a passcode key"));
    panel.page(PasscodeViewController::secondPanel)
        ->titleLabel()
        ->setText(Strings::localized("Re-enter your passcode Key"));
    panel.page(PasscodeViewController::thirdPanel)
        ->titleLabel()
        ->setText(Strings::localized("Panel 3 Key"));
}

} // namespace florelle
