// SPDX-License-Identifier: GPL-3.0-or-later
#include "Animator.h"

#include "View.h"
#include "foundation/Clock.h"
#include "foundation/RunLoop.h"

#include <algorithm>

namespace florelle {

Animator& Animator::shared() {
    static Animator* animator = new Animator;
    return *animator;
}

void Animator::watch(const std::weak_ptr<View>& view) {
    auto watched = view.lock();
    bool known = std::any_of(views_.begin(), views_.end(),
                             [&](const auto& entry) { return entry.lock() == watched; });
    if (!known) {
        views_.push_back(view);
    }
    if (!timer_.isValid()) {
        timer_ = Timer(frameInterval, true, [this] { tick(); });
    } else if (!ticking_) {
        // A new animation is shown from the next frame on.
        Date soon = Clock::current()->now().addingSeconds(frameInterval);
        if (timer_.fireDate() > soon) {
            timer_.setFireDate(soon);
        }
    }
}

void Animator::report(Stop stop) {
    pending_.push_back(std::move(stop));
    if (!ticking_ && !deliveryPosted_) {
        deliveryPosted_ = true;
        RunLoop::current().post([this] {
            deliveryPosted_ = false;
            deliver();
        });
    }
}

void Animator::tick() {
    Date now = Clock::current()->now();
    ticking_ = true;
    std::vector<std::weak_ptr<View>> stillRunning;
    // Views may start animations from inside advanceAnimations' reports; take the list first.
    auto views = std::move(views_);
    views_.clear();
    for (const auto& entry : views) {
        if (auto view = entry.lock(); view && view->advanceAnimations(now)) {
            stillRunning.push_back(entry);
        }
    }
    ticking_ = false;
    for (const auto& entry : stillRunning) {
        views_.push_back(entry);
    }
    deliver();
    if (views_.empty()) {
        timer_.invalidate();
    } else {
        scheduleNextTick(now);
    }
}

void Animator::scheduleNextTick(Date now) {
    Date next = now.addingSeconds(longestInterval);
    for (const auto& entry : views_) {
        if (auto view = entry.lock()) {
            next = view->nextVisibleChange(now, pixelsPerPoint_, next);
        }
    }
    timer_.setFireDate(std::max(next, now.addingSeconds(frameInterval)));
}

void Animator::deliver() {
    auto stops = std::move(pending_);
    pending_.clear();
    for (const auto& stop : stops) {
        if (stop.block) {
            stop.block->partStopped(stop.finished);
        } else if (auto delegate = stop.animation->delegate()) {
            delegate->animationDidStop(*stop.animation, stop.finished);
        }
    }
}

} // namespace florelle
