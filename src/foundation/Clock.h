// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Date.h"

#include <atomic>
#include <memory>

namespace florelle {

// Where every "now" of the program comes from. The process has one current
// clock, the real one unless a test or host puts a manual one in its place.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;

    static std::shared_ptr<Clock> current();
    // nullptr restores the real clock.
    static void setCurrent(std::shared_ptr<Clock> clock);
};

class RealClock : public Clock {
public:
    Date now() const override;
};

// A clock that moves only when told to; safe to read from any thread.
class ManualClock : public Clock {
public:
    explicit ManualClock(Date start = Date()) : seconds_(start.timeIntervalSince1970()) {}

    Date now() const override { return Date(seconds_.load()); }
    void set(Date date) { seconds_.store(date.timeIntervalSince1970()); }
    void advance(double seconds) { seconds_.store(seconds_.load() + seconds); }

private:
    std::atomic<double> seconds_;
};

} // namespace florelle
