// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class AlertView;

// Told which button of an alert the user tapped (the cancel button is 0
// when there is one, the further buttons follow in order), and when the
// alert has gone.
class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void clickedButtonAtIndex(AlertView& alert, int index) = 0;
    virtual void didDismissWithButtonIndex(AlertView&, int) {}
};

} // namespace florelle
