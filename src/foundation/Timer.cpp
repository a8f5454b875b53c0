// SPDX-License-Identifier: GPL-3.0-or-later
#include "Timer.h"

#include "Clock.h"

#include <utility>

namespace florelle {

Timer::Timer(double interval, bool repeats, std::function<void()> action)
    : loop_(&RunLoop::current()), interval_(interval) {
    id_ = loop_->addTimer(Clock::current()->now().addingSeconds(interval), interval, repeats,
                          std::move(action));
}

Timer::Timer(Timer&& other) noexcept
    : loop_(std::exchange(other.loop_, nullptr)), id_(std::exchange(other.id_, 0)),
      interval_(other.interval_) {}

Timer& Timer::operator=(Timer&& other) noexcept {
    if (this != &other) {
        invalidate();
        loop_ = std::exchange(other.loop_, nullptr);
        id_ = std::exchange(other.id_, 0);
        interval_ = other.interval_;
    }
    return *this;
}

Timer::~Timer() {
    invalidate();
}

void Timer::invalidate() {
    if (loop_) {
        loop_->removeTimer(id_);
        loop_ = nullptr;
    }
}

bool Timer::isValid() const {
    return loop_ && loop_->hasTimer(id_);
}

Date Timer::fireDate() const {
    if (auto date = loop_ ? loop_->timerFireDate(id_) : std::nullopt) {
        return *date;
    }
    return Date();
}

void Timer::setFireDate(Date date) {
    if (loop_) {
        loop_->setTimerFireDate(id_, date);
    }
}

} // namespace florelle
