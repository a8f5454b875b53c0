// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnimationCurve.h"
#include "AnimationDelegate.h"
#include "LayerState.h"

#include <memory>
#include <optional>

namespace florelle {

// What an animation shows outside its active time.
enum class FillMode {
    // Nothing: before and after, the model shows.
    removed,
    // After its end it keeps showing its end state.
    forwards,
    // Before its start (a delay) it shows its start state.
    backwards,
    both,
};

// A change of a view's shown geometry over time, added to a view under a key
// (View::addAnimation). It changes only what is drawn, never the model.
// Configure it before adding it; the view keeps a reference, not a copy.
class Animation {
public:
    virtual ~Animation() = default;

    double duration() const { return duration_; }
    // Seconds; 0.25 by default.
    void setDuration(double seconds) { duration_ = seconds; }
    AnimationCurve curve() const { return curve_; }
    void setCurve(AnimationCurve curve) { curve_ = curve; }
    FillMode fillMode() const { return fillMode_; }
    void setFillMode(FillMode mode) { fillMode_ = mode; }
    // When false the animation stays on its view after it ended; with fill
    // mode forwards it then keeps showing its end state. True by default.
    bool isRemovedOnCompletion() const { return removedOnCompletion_; }
    void setRemovedOnCompletion(bool removed) { removedOnCompletion_ = removed; }

    // Not owned: a delegate that has gone is not called.
    std::shared_ptr<AnimationDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<AnimationDelegate> delegate) { delegate_ = std::move(delegate); }

    // Clock readings this close to the end count as the end.
    static constexpr double endTolerance = 1e-6;

    // The time within 0…duration at which the animation acts when `elapsed`
    // seconds have passed since its start, or nothing when it has no effect
    // then (outside its duration without the matching fill mode).
    std::optional<double> activeTime(double elapsed) const;
    // Puts into `state` what the animation shows at `time` (0…duration).
    // `start` is what was shown when the animation was added: the starting
    // point of a value the animation leaves open.
    virtual void apply(LayerState& state, double time, const LayerState& start) const = 0;

protected:
    // The progress along the curve at `time`.
    double progress(double time) const;

private:
    double duration_ = 0.25;
    AnimationCurve curve_ = AnimationCurve::linear;
    FillMode fillMode_ = FillMode::removed;
    bool removedOnCompletion_ = true;
    std::weak_ptr<AnimationDelegate> delegate_;
};

} // namespace florelle
