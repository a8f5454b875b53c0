// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// How an animation's progress follows its time.
enum class AnimationCurve {
    linear,
    easeIn,
    easeOut,
    // Slow at both ends: the cubic Bézier (0.42, 0), (0.58, 1).
    easeInOut,
};

// The progress (0…1) at the fraction t (0…1) of the duration; t is clamped.
double progressAt(AnimationCurve curve, double t);

} // namespace florelle
