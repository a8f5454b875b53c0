// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class PasscodeViewController;

// What gives the passcode panel its meaning: the lock, the set dialogue, the
// change / turn-off dialogue. Pages are named by their tags (0, −320, −640);
// codes are the integer value of the digits typed. Every call has a default
// that accepts and does nothing.
class PasscodeViewControllerDelegate {
public:
    virtual ~PasscodeViewControllerDelegate() = default;

    // Before a keystroke is shown: the code with it, and its digit (0 for a
    // deletion). False refuses the keystroke.
    virtual bool shouldChangePasscode(PasscodeViewController&, int /*panelView*/,
                                      long long /*passCode*/, int /*lastNumber*/) {
        return true;
    }
    // The fourth digit was typed; the answer is whether the hidden field keeps it.
    virtual bool didEndPasscodeEditing(PasscodeViewController&, int /*panelView*/,
                                       long long /*passCode*/) {
        return true;
    }
    // The page came into view: after every page switch, and when the panel appears.
    virtual void didShowPasscodePanel(PasscodeViewController&, int /*panelView*/) {}
};

} // namespace florelle
