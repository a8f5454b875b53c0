#pragma once

#include "PasscodeSheet.h"
#include "PasscodeViewControllerDelegate.h"
#include "foundation/Timer.h"

#include <functional>
#include <memory>

namespace florelle {

class NavigationController;
class PasscodeViewController;
class Window;

// Sets a first passcode, as the settings list offers it while none is set:
// the code is typed, then typed again; when both agree it is stored and the
// dialogue closes, otherwise it starts over. Cancel closes it at any point
// without storing anything.
class SetPasscodeDialogue : public PasscodeViewControllerDelegate,
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

    const std::shared_ptr<PasscodeViewController>& passcodeViewController() const { return panel_; }
    const std::shared_ptr<NavigationController>& navigationController() const {
        return navigation_;
    }

    bool shouldChangePasscode(PasscodeViewController& panel, int panelView, long long passCode,
                              int lastNumber) override;
    bool didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                               long long passCode) override;
    void didShowPasscodePanel(PasscodeViewController& panel, int panelView) override;

private:
    SetPasscodeDialogue() = default;

    std::shared_ptr<PasscodeViewController> panel_;
    std::shared_ptr<NavigationController> navigation_;
    PasscodeSheet sheet_;
    long long passCode_ = 0;
    long long retryPassCode_ = 0;
    Timer closing_;
};

} // namespace florelle
