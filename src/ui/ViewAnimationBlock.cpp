// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewAnimationBlock.h"

#include "foundation/RunLoop.h"

#include <vector>

namespace florelle {

namespace {

std::vector<std::shared_ptr<ViewAnimationBlock>>& openBlocks() {
    static std::vector<std::shared_ptr<ViewAnimationBlock>> blocks;
    return blocks;
}

} // namespace

ViewAnimationBlock::ViewAnimationBlock(double duration, double delay, AnimationCurve curve,
                                       Completion completion)
    : duration_(duration), delay_(delay), curve_(curve), completion_(std::move(completion)) {}

std::shared_ptr<ViewAnimationBlock> ViewAnimationBlock::current() {
    return openBlocks().empty() ? nullptr : openBlocks().back();
}

void ViewAnimationBlock::run(const std::function<void()>& changes) {
    running_ = true;
    openBlocks().push_back(shared_from_this());
    changes();
    openBlocks().pop_back();
    running_ = false;
    if (parts_ == 0) {
        // Nothing moves: the completion still comes from the run loop, as it would otherwise.
        RunLoop::current().post([self = shared_from_this()] { self->completeIfDone(); });
    }
}

void ViewAnimationBlock::partDropped() {
    --parts_;
    completeIfDone();
}

void ViewAnimationBlock::partStopped(bool finished) {
    --parts_;
    allFinished_ = allFinished_ && finished;
    completeIfDone();
}

void ViewAnimationBlock::completeIfDone() {
    if (running_ || parts_ > 0 || completed_) {
        return;
    }
    completed_ = true;
    if (auto completion = std::move(completion_)) {
        completion(allFinished_);
    }
}

} // namespace florelle
