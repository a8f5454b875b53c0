#pragma once

#include "Animation.h"
#include "ViewAnimationBlock.h"
#include "foundation/Timer.h"

#include <memory>
#include <vector>

namespace florelle {

class View;

// The animation clock of the main run loop. While any view animates it ticks
// about sixty times a second: it ends the animations whose time is up, tells
// their delegates and block completions, and marks the trees for redraw.
// When nothing animates it has no timer at all.
class Animator {
public:
    static constexpr double frameInterval = 1.0 / 60;

    static Animator& shared();

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

    std::vector<std::weak_ptr<View>> views_;
    std::vector<Stop> pending_;
    bool ticking_ = false;
    bool deliveryPosted_ = false;
    Timer timer_;
};

} // namespace florelle
