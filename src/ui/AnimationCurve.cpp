// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnimationCurve.h"

#include <algorithm>

namespace florelle {

namespace {

// A cubic Bézier from (0, 0) to (1, 1) with control points (x1, y1), (x2, y2):
// find the parameter whose x is t, then return its y.
double cubicBezier(double x1, double y1, double x2, double y2, double t) {
    auto coordinate = [](double p1, double p2, double s) {
        double inverse = 1 - s;
        return 3 * inverse * inverse * s * p1 + 3 * inverse * s * s * p2 + s * s * s;
    };
    double low = 0;
    double high = 1;
    double parameter = t;
    for (int step = 0; step < 60; ++step) {
        double x = coordinate(x1, x2, parameter);
        if (x < t) {
            low = parameter;
        } else {
            high = parameter;
        }
        parameter = (low + high) / 2;
    }
    return coordinate(y1, y2, parameter);
}

} // namespace

double progressAt(AnimationCurve curve, double t) {
    t = std::clamp(t, 0.0, 1.0);
    if (t == 0 || t == 1) {
        return t;
    }
    switch (curve) {
    case AnimationCurve::linear:
        return t;
    case AnimationCurve::easeIn:
        return cubicBezier(0.42, 0, 1, 1, t);
    case AnimationCurve::easeOut:
        return cubicBezier(0, 0, 0.58, 1, t);
    case AnimationCurve::easeInOut:
        return cubicBezier(0.42, 0, 0.58, 1, t);
    }
    return t;
}

} // namespace florelle
