// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ApplicationDelegate.h"

#include <memory>

namespace florelle {

class NavigationController;
class PasscodeLock;
class SetPasscodeDialogue;
class Window;

// The passcode dialogues until the settings screens hold them
// (`florelle --passcode-demo`): a screen with "Set passcode", "Passcode
// options" and "Lock now"; the lock also comes up at every activation while
// a passcode is stored, as in the diary itself.
class PasscodeDemo : public ApplicationDelegate {
public:
    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;
    void didBecomeActive(Application& application) override;

private:
    std::shared_ptr<Window> window_;
    std::shared_ptr<NavigationController> navigation_;
    std::shared_ptr<PasscodeLock> lock_;
    std::shared_ptr<SetPasscodeDialogue> setDialogue_;
};

} // namespace florelle
