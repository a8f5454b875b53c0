// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Animation.h"

#include <string>

namespace florelle {

// Moves one key path ("position", "bounds.size", "opacity", …; see
// LayerState) from a value to a value. Without a from value it starts at what
// was shown when it was added; without a to value it ends at the model's
// current value. A value of the wrong kind for the key path counts as absent.
class BasicAnimation : public Animation {
public:
    explicit BasicAnimation(std::string keyPath);

    const std::string& keyPath() const { return keyPath_; }
    const std::optional<AnimationValue>& fromValue() const { return from_; }
    void setFromValue(std::optional<AnimationValue> value) { from_ = std::move(value); }
    const std::optional<AnimationValue>& toValue() const { return to_; }
    void setToValue(std::optional<AnimationValue> value) { to_ = std::move(value); }

    void apply(LayerState& state, double time, const LayerState& start) const override;

private:
    std::optional<AnimationValue> usable(const std::optional<AnimationValue>& value,
                                         const AnimationValue& kind) const;

    std::string keyPath_;
    std::optional<AnimationValue> from_;
    std::optional<AnimationValue> to_;
};

} // namespace florelle
