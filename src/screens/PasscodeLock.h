// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PasscodePanelOwner.h"

#include <memory>

namespace florelle {

class View;
class Window;

// The lock in front of the diary. At every activation the application asks
// it to lock; when a passcode is stored, it covers the whole window with the
// unlock panel under a black bar and takes the keyboard. Nothing behind it
// can be seen or touched, not even what is added to the window later, until
// the stored code is typed. There is no way past it but the code and no
// limit on tries.
class PasscodeLock : public PasscodePanelOwner, public std::enable_shared_from_this<PasscodeLock> {
public:
    // How long an answer stays on show before the panel clears or the lock goes.
    static constexpr double answerDelay = 0.25;

    static std::shared_ptr<PasscodeLock> create();

    // Reads the stored passcode; when there is one, clears the panel and
    // puts the lock over the window (again, if it is up already). True when
    // the window is locked afterwards.
    bool lockIfSet(Window& window);
    bool isLocked() const;
    // Takes the lock off the window and gives the keyboard back to whatever
    // had it when the lock came up.
    void dismissPascode();

    bool didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                               long long passCode) override;
    void didShowPasscodePanel(PasscodeViewController& panel, int panelView) override;

protected:
    std::shared_ptr<PasscodeViewControllerDelegate> panelDelegate() override {
        return shared_from_this();
    }

private:
    PasscodeLock() = default;

    // Window-sized and opaque: the lock itself, the panel inside it.
    std::shared_ptr<View> cover_;
    std::weak_ptr<Window> window_;
    std::weak_ptr<View> previousResponder_;
    long long passCode_ = 0;
};

} // namespace florelle
