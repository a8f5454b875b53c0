// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Animation.h"
#include "ViewAnimationBlock.h"
#include "foundation/Timer.h"

#include <memory>
#include <vector>

namespace florelle {

class View;

// The animation clock of the main run loop. While any view animates it
// ticks: it ends the animations whose time is up, tells their delegates and
// block completions, and marks the trees for redraw. It ticks as soon as an
// animating view shows something a pixel away (see View::nextVisibleChange)
// and at most sixty times a second, so a slow drift wakes the loop only as
// often as it moves a pixel. When nothing animates it has no timer at all.
class Animator {
public:
    static constexpr double frameInterval = 1.0 / 60;
    // However slowly the views change, the clock looks at them this often.
    static constexpr double longestInterval = 0.5;

    static Animator& shared();

    // Device pixels per point of the screen the views are shown on (the
    // largest a host may show, 4, until a host says).
    void setPixelsPerPoint(double pixels) { pixelsPerPoint_ = pixels; }
    double pixelsPerPoint() const { return pixelsPerPoint_; }

    // A view got an animation that has not ended yet.
    void watch(const std::weak_ptr<View>& view);

    // An animation stopped; whoever waits for it hears it from the run loop.
    struct Stop {
        std::shared_ptr<Animation> animation;
        std::shared_ptr<ViewAnimationBlock> block;
        bool finished;
    };
    void report(Stop stop);

    bool isTicking() const { return timer_.isValid(); }
    void tick();

private:
    Animator() = default;
    void deliver();
    void scheduleNextTick(Date now);

    std::vector<std::weak_ptr<View>> views_;
    std::vector<Stop> pending_;
    bool ticking_ = false;
    bool deliveryPosted_ = false;
    double pixelsPerPoint_ = 4;
    Timer timer_;
};

} // namespace florelle
