// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Timer.h"
#include "geometry/Geometry.h"

#include <memory>

namespace florelle {

class Label;
class View;

// "Tap here to close" over the panel's title the first time a page is opened:
// the hint slides down into the dock's bar while the title slides out of the
// way, and both go back after a while or when the panel moves.
class FirstUseHint {
public:
    static constexpr double showSeconds = 3;
    static Rect parked() { return {45, -100, 230, 20}; }

    // The hint is added to `screen`; `title` is the dock's title it swaps with.
    FirstUseHint(View& screen, std::shared_ptr<Label> title);

    // Visible, wherever it is.
    void reveal();
    // -1 slides the hint down and the title away, 1 back; only from the
    // matching end, so a repeated call does nothing.
    void swap(int direction);
    // Slides back after showSeconds.
    void swapBackLater();
    // Hidden and parked at once, the title back in the bar at `titleSize`.
    void park(Size titleSize);

    Label& label() const { return *hint_; }

private:
    std::shared_ptr<Label> hint_;
    std::shared_ptr<Label> title_;
    Timer swapBack_;
};

} // namespace florelle
