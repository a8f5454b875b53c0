// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PasscodePanelOwner.h"
#include "PasscodeSheet.h"

#include <functional>
#include <memory>

namespace florelle {

class Window;

// Sets a first passcode, as the settings list offers it while none is set:
// the code is typed, then typed again; when both agree it is stored and the
// dialogue closes, otherwise it starts over. Cancel closes it at any point
// without storing anything.
class SetPasscodeDialogue : public PasscodePanelOwner,
                            public std::enable_shared_from_this<SetPasscodeDialogue> {
public:
    static constexpr double closeDelay = 0.7;

    static std::shared_ptr<SetPasscodeDialogue> create();

    // Brings the panel up over the window on its first page, cleared and
    // with the keyboard.
    void presentPasscode(Window& window);
    // Takes the keyboard away and slides the dialogue off the window.
    void dismiss();
    bool isPresented() const { return sheet_.isPresented(); }

    // Called when the dialogue closes, stored or not (the settings list
    // deselects its row).
    std::function<void()> onDismiss;

    bool didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                               long long passCode) override;
    void didShowPasscodePanel(PasscodeViewController& panel, int panelView) override;

protected:
    std::shared_ptr<PasscodeViewControllerDelegate> panelDelegate() override {
        return shared_from_this();
    }

private:
    SetPasscodeDialogue() = default;

    PasscodeSheet sheet_;
    long long passCode_ = 0;
    long long retryPassCode_ = 0;
};

} // namespace florelle
