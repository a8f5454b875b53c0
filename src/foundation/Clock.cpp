// SPDX-License-Identifier: GPL-3.0-or-later
#include "Clock.h"

#include <chrono>
#include <mutex>

namespace florelle {

namespace {

std::mutex clockMutex;

std::shared_ptr<Clock>& currentClockSlot() {
    static std::shared_ptr<Clock> clock = std::make_shared<RealClock>();
    return clock;
}

} // namespace

Date RealClock::now() const {
    using namespace std::chrono;
    auto sinceEpoch = system_clock::now().time_since_epoch();
    return Date(duration_cast<duration<double>>(sinceEpoch).count());
}

std::shared_ptr<Clock> Clock::current() {
    std::lock_guard lock(clockMutex);
    return currentClockSlot();
}

void Clock::setCurrent(std::shared_ptr<Clock> clock) {
    std::lock_guard lock(clockMutex);
    currentClockSlot() = clock ? std::move(clock) : std::make_shared<RealClock>();
}

} // namespace florelle
