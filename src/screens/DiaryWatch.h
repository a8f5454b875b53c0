// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Timer.h"

#include <optional>
#include <string>

namespace florelle {

// Follows what other programs change in the diary while the window shows
// (the command line, the reminder helper, another window): every few
// seconds it looks whether anything was committed from outside or another
// file took the diary's place, and then tells every page with the "diary
// changed" notice. Stopped while the window is in the background, where
// nothing is shown; the next activation reads everything anew anyway.
class DiaryWatch {
public:
    static constexpr double interval = 2;

    // Takes the diary as it is now as seen, then looks on a timer.
    void start();
    void stop();
    bool isWatching() const { return timer_.isValid(); }

private:
    void look();

    std::optional<std::string> seen_;
    Timer timer_;
};

} // namespace florelle
