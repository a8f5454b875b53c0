// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetPasscodeDialogue.h"

#include "PasscodeViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/TextField.h"

namespace florelle {

std::shared_ptr<SetPasscodeDialogue> SetPasscodeDialogue::create() {
    std::shared_ptr<SetPasscodeDialogue> dialogue(new SetPasscodeDialogue());
    auto* made = dialogue.get();
    dialogue->addCancelButton([made] { made->dismiss(); });
    return dialogue;
}

void SetPasscodeDialogue::presentPasscode(Window& window) {
    auto& panel = passcodeViewController();
    panel->prevPanel();
    startEntry();
    sheet_.present(*passcodeNavController(), window);
    panel->myTextField()->becomeFirstResponder();
}

void SetPasscodeDialogue::dismiss() {
    stopAnswer();
    if (!sheet_.isPresented()) {
        return;
    }
    passcodeViewController()->myTextField()->resignFirstResponder();
    sheet_.dismiss(*passcodeNavController());
    if (auto call = onDismiss) {
        call();
    }
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
    answer("Password Set!", Color::white(), closeDelay, [this] { dismiss(); });
    return true;
}

void SetPasscodeDialogue::didShowPasscodePanel(PasscodeViewController& panel, int) {
    setTitles(panel, "Set passcode key",
              {"Enter a passcode key", "Re-enter your passcode Key", "Panel 3 Key"});
}

} // namespace florelle
