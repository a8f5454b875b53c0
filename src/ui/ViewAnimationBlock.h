// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnimationCurve.h"

#include <functional>
#include <memory>

namespace florelle {

// One View::animate call: its timing, and its completion, which runs once
// when every animation the block started has stopped. While its changes run
// it is the current block, which the view setters consult.
class ViewAnimationBlock : public std::enable_shared_from_this<ViewAnimationBlock> {
public:
    using Completion = std::function<void(bool finished)>;

    ViewAnimationBlock(double duration, double delay, AnimationCurve curve, Completion completion);

    // The innermost block whose changes are running, if any.
    static std::shared_ptr<ViewAnimationBlock> current();

    // Runs the changes as the current block. A block that started no
    // animation completes (finished) on the next round of the run loop.
    void run(const std::function<void()>& changes);

    double duration() const { return duration_; }
    double delay() const { return delay_; }
    AnimationCurve curve() const { return curve_; }

    void partAdded() { ++parts_; }
    // A later change in the same block took over the part's property.
    void partDropped();
    void partStopped(bool finished);

private:
    void completeIfDone();

    double duration_;
    double delay_;
    AnimationCurve curve_;
    Completion completion_;
    int parts_ = 0;
    bool running_ = false;
    bool allFinished_ = true;
    bool completed_ = false;
};

} // namespace florelle
