// SPDX-License-Identifier: GPL-3.0-or-later
#include "BasicAnimation.h"

#include "foundation/Log.h"

namespace florelle {

BasicAnimation::BasicAnimation(std::string keyPath) : keyPath_(std::move(keyPath)) {
    if (!LayerState::isKnownKeyPath(keyPath_)) {
        Log::write("BasicAnimation: unknown key path '" + keyPath_ + "'");
    }
}

std::optional<AnimationValue> BasicAnimation::usable(const std::optional<AnimationValue>& value,
                                                     const AnimationValue& kind) const {
    if (value && value->index() == kind.index()) {
        return value;
    }
    return std::nullopt;
}

void BasicAnimation::apply(LayerState& state, double time, const LayerState& start) const {
    auto model = state.value(keyPath_);
    auto shownAtStart = start.value(keyPath_);
    if (!model || !shownAtStart) {
        return;
    }
    AnimationValue from = usable(from_, *model).value_or(*shownAtStart);
    AnimationValue to = usable(to_, *model).value_or(*model);
    state.setValue(keyPath_, interpolate(from, to, progress(time)));
}

} // namespace florelle
