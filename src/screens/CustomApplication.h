// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Application.h"

namespace florelle {

// The application object of the diary: a touch beginning in the status bar
// strip (1 ≤ y < 20 in the window) is a status-bar tap for the delegate,
// then the event is handled as usual. Only the beginning counts, so one tap
// reports once. Where the status bar is hidden (the shell draws its own) the
// strip is the top 20 points of what is shown, just below it.
class CustomApplication : public Application {
public:
    static constexpr double statusBarTop = 1;
    static constexpr double statusBarBottom = 20;

    void sendEvent(const Event& event) override;
};

} // namespace florelle
