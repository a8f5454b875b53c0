// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnimationGroup.h"

namespace florelle {

void AnimationGroup::apply(LayerState& state, double time, const LayerState& start) const {
    for (const auto& animation : animations_) {
        // A child that ends with the group still shows its end while the group holds its own.
        auto childTime = time >= 0 && time <= animation->duration() ? std::optional<double>(time)
                                                                    : animation->activeTime(time);
        if (childTime) {
            animation->apply(state, *childTime, start);
        }
    }
}

} // namespace florelle
