// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <optional>
#include <string_view>
#include <variant>

namespace florelle {

// A value an animation moves between; which kind depends on the key path.
using AnimationValue = std::variant<double, Point, Size, Rect, AffineTransform>;

// The value part of the way from one value to another (progress 0…1, or
// beyond for overshooting curves). Values of different kinds give `to`.
AnimationValue interpolate(const AnimationValue& from, const AnimationValue& to, double progress);

// The animatable geometry of a view, as the model holds it or as it is shown
// at a moment. The view's centre sits at `position` in its superview; the
// transform turns and scales about that centre.
struct LayerState {
    Point position;
    Rect bounds;
    AffineTransform transform;
    double opacity = 1;

    // The rectangle in the superview that holds the transformed bounds.
    Rect frame() const;
    // Maps a point of the view's own coordinates into its superview's.
    AffineTransform toSuperview() const;

    // The key paths: "position" (Point), "bounds" (Rect), "bounds.size" (Size),
    // "bounds.origin" (Point), "opacity" (double), "transform" (AffineTransform).
    static bool isKnownKeyPath(std::string_view keyPath);
    std::optional<AnimationValue> value(std::string_view keyPath) const;
    // False, and nothing changed, for an unknown key path or a value of the
    // wrong kind.
    bool setValue(std::string_view keyPath, const AnimationValue& value);
};

} // namespace florelle
