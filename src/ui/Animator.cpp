// SPDX-License-Identifier: GPL-3.0-or-later
#include "Animator.h"

#include "OutOfSight.h"
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
    bool started = !timer_.isValid();
    if (started) {
        timer_ = Timer(frameInterval, true, [this] { tick(); });
    }
    if (ticking_) {
        return;
    }
    if (!suspended_ && !isOutOfSight(*watched, shownArea_)) {
        // A new animation is shown from the next frame on.
        tickSoon();
        return;
    }
    // Unseen, it is looked at when it begins or ends. (Its change is not
    // all made yet: only those moments are known.)
    Date now = Clock::current()->now();
    Date next =
        std::max(watched->nextVisibleChange(now, 0, now.addingSeconds(longestUnseenInterval)),
                 now.addingSeconds(frameInterval));
    if (started || timer_.fireDate() > next) {
        timer_.setFireDate(next);
    }
    unseen_ = unseen_ || started;
}

void Animator::tickSoon() {
    unseen_ = false;
    Date soon = Clock::current()->now().addingSeconds(frameInterval);
    if (timer_.fireDate() > soon) {
        timer_.setFireDate(soon);
    }
}

void Animator::setSuspended(bool suspended) {
    if (suspended == suspended_) {
        return;
    }
    suspended_ = suspended;
    if (!timer_.isValid() || ticking_) {
        return;
    }
    if (suspended) {
        scheduleNextTick(Clock::current()->now());
    } else {
        tickSoon();
    }
}

void Animator::treeChanged() {
    if (unseen_ && !suspended_ && !ticking_ && timer_.isValid()) {
        tickSoon();
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
    ++tickCount_;
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
    bool inSight = false;
    Date next = now.addingSeconds(longestUnseenInterval);
    for (const auto& entry : views_) {
        if (auto view = entry.lock()) {
            // Out of sight no move is a pixel: a view there is looked at
            // when an animation begins or ends or it fades a step.
            bool seen = !suspended_ && !isOutOfSight(*view, shownArea_);
            if (seen && !inSight) {
                inSight = true;
                next = std::min(next, now.addingSeconds(longestInterval));
            }
            next = view->nextVisibleChange(now, seen ? pixelsPerPoint_ : 0, next);
        }
    }
    unseen_ = !inSight;
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
