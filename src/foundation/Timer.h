// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Date.h"
#include "RunLoop.h"

#include <functional>

namespace florelle {

// A timer on the run loop of the thread that makes it. It fires once after
// its interval, or every interval when it repeats, until invalidated or
// destroyed: the owner keeps the Timer, so a timer never outlives the object
// whose work it does. A repeating timer that missed fires (a clock jump, a
// long handler) fires once and then keeps to its original beat.
//
// The action may invalidate, replace or destroy the timer itself.
class Timer {
public:
    // Not scheduled.
    Timer() = default;
    Timer(double interval, bool repeats, std::function<void()> action);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    Timer(Timer&& other) noexcept;
    Timer& operator=(Timer&& other) noexcept;
    ~Timer();

    // Stops the timer for good.
    void invalidate();
    // Scheduled and not yet done: a one-shot timer is done once it has fired.
    bool isValid() const;
    double timeInterval() const { return interval_; }
    // When it fires next; only meaningful while valid.
    Date fireDate() const;
    void setFireDate(Date date);

private:
    RunLoop* loop_ = nullptr;
    RunLoop::Id id_ = 0;
    double interval_ = 0;
};

} // namespace florelle
