// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Animation.h"

#include <vector>

namespace florelle {

// Runs several animations together on one view as one animation: they start
// with the group and are cut off at the group's duration. Their own timing
// (duration, curve, fill mode) holds within the group; the group's own curve
// is not used. The group's fill mode and removal decide what shows after its
// end, and only the group's delegate is told when it stops.
class AnimationGroup : public Animation {
public:
    const std::vector<std::shared_ptr<Animation>>& animations() const { return animations_; }
    void setAnimations(std::vector<std::shared_ptr<Animation>> animations) {
        animations_ = std::move(animations);
    }

    void apply(LayerState& state, double time, const LayerState& start) const override;

private:
    std::vector<std::shared_ptr<Animation>> animations_;
};

} // namespace florelle
