// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Animation.h"
#include "ViewAnimationBlock.h"
#include "foundation/Timer.h"
#include "geometry/Geometry.h"

#include <memory>
#include <optional>
#include <vector>

namespace florelle {

class View;

// The animation clock of the main run loop. While any view animates it
// ticks: it ends the animations whose time is up, tells their delegates and
// block completions, and marks the trees for redraw. It ticks as soon as an
// animating view shows something a pixel away (see View::nextVisibleChange)
// and at most sixty times a second, so a slow drift wakes the loop only as
// often as it moves a pixel. When nothing animates it has no timer at all.
// Views out of sight (see isOutOfSight), and every view while the clock is
// suspended (the window minimised or hidden), are looked at only when one
// of their animations begins or ends (or they fade a step), so that
// completions still come in time; from the next frame after they show
// again they are where their animations have them by then.
class Animator {
public:
    static constexpr double frameInterval = 1.0 / 60;
    // However slowly the views change, the clock looks at them this often.
    static constexpr double longestInterval = 0.5;
    // Views out of sight, at least this often.
    static constexpr double longestUnseenInterval = 60;

    static Animator& shared();

    // Device pixels per point of the screen the views are shown on (the
    // largest a host may show, 4, until a host says).
    void setPixelsPerPoint(double pixels) { pixelsPerPoint_ = pixels; }
    double pixelsPerPoint() const { return pixelsPerPoint_; }
    // The part of the key window (its coordinates) the screen shows, where
    // the host covers or leaves out some of it; the whole window until a
    // host says.
    void setShownArea(const Rect& area) { shownArea_ = area; }

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
    // How many times it ticked so far.
    long tickCount() const { return tickCount_; }

    void setSuspended(bool suspended);
    // Something in a tree of views changed: views out of sight may show
    // again, so a clock waiting for an animation's end looks at the next frame.
    void treeChanged();

private:
    Animator() = default;
    void deliver();
    void scheduleNextTick(Date now);
    // Moves the next tick to the next frame (the timer runs).
    void tickSoon();

    std::vector<std::weak_ptr<View>> views_;
    std::vector<Stop> pending_;
    bool ticking_ = false;
    bool deliveryPosted_ = false;
    bool suspended_ = false;
    // Waiting only for an animation's begin or end: nothing animating is in sight.
    bool unseen_ = false;
    long tickCount_ = 0;
    double pixelsPerPoint_ = 4;
    std::optional<Rect> shownArea_;
    Timer timer_;
};

} // namespace florelle
