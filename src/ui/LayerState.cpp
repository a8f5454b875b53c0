// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayerState.h"

namespace florelle {

namespace {

double mix(double from, double to, double progress) {
    return from + (to - from) * progress;
}

Point mix(Point from, Point to, double progress) {
    return {mix(from.x, to.x, progress), mix(from.y, to.y, progress)};
}

Size mix(Size from, Size to, double progress) {
    return {mix(from.width, to.width, progress), mix(from.height, to.height, progress)};
}

Rect mix(const Rect& from, const Rect& to, double progress) {
    return Rect(mix(from.origin, to.origin, progress), mix(from.size, to.size, progress));
}

AffineTransform mix(const AffineTransform& from, const AffineTransform& to, double progress) {
    return {mix(from.a, to.a, progress),   mix(from.b, to.b, progress),
            mix(from.c, to.c, progress),   mix(from.d, to.d, progress),
            mix(from.tx, to.tx, progress), mix(from.ty, to.ty, progress)};
}

} // namespace

AnimationValue interpolate(const AnimationValue& from, const AnimationValue& to, double progress) {
    if (from.index() != to.index()) {
        return to;
    }
    return std::visit(
        [&](const auto& start) -> AnimationValue {
            using Kind = std::decay_t<decltype(start)>;
            return mix(start, std::get<Kind>(to), progress);
        },
        from);
}

Rect LayerState::frame() const {
    Rect local(-bounds.size.width / 2, -bounds.size.height / 2, bounds.size.width,
               bounds.size.height);
    return transform.apply(local).offsetBy(position.x, position.y);
}

AffineTransform LayerState::toSuperview() const {
    return AffineTransform::translation(-bounds.origin.x - bounds.size.width / 2,
                                        -bounds.origin.y - bounds.size.height / 2)
        .concat(transform)
        .concat(AffineTransform::translation(position.x, position.y));
}

bool LayerState::isKnownKeyPath(std::string_view keyPath) {
    return keyPath == "position" || keyPath == "bounds" || keyPath == "bounds.size" ||
           keyPath == "bounds.origin" || keyPath == "opacity" || keyPath == "transform";
}

std::optional<AnimationValue> LayerState::value(std::string_view keyPath) const {
    if (keyPath == "position") {
        return position;
    }
    if (keyPath == "bounds") {
        return bounds;
    }
    if (keyPath == "bounds.size") {
        return bounds.size;
    }
    if (keyPath == "bounds.origin") {
        return bounds.origin;
    }
    if (keyPath == "opacity") {
        return opacity;
    }
    if (keyPath == "transform") {
        return transform;
    }
    return std::nullopt;
}

bool LayerState::setValue(std::string_view keyPath, const AnimationValue& value) {
    auto current = this->value(keyPath);
    if (!current || current->index() != value.index()) {
        return false;
    }
    if (keyPath == "position") {
        position = std::get<Point>(value);
    } else if (keyPath == "bounds") {
        bounds = std::get<Rect>(value);
    } else if (keyPath == "bounds.size") {
        bounds.size = std::get<Size>(value);
    } else if (keyPath == "bounds.origin") {
        bounds.origin = std::get<Point>(value);
    } else if (keyPath == "opacity") {
        opacity = std::get<double>(value);
    } else {
        transform = std::get<AffineTransform>(value);
    }
    return true;
}

} // namespace florelle
