// SPDX-License-Identifier: GPL-3.0-or-later
#include "Path.h"

#include <algorithm>
#include <numbers>

namespace florelle {

void Path::moveTo(Point point) {
    elements_.push_back({Kind::Move, {point}});
}

void Path::lineTo(Point point) {
    elements_.push_back({Kind::Line, {point}});
}

void Path::curveTo(Point control1, Point control2, Point end) {
    elements_.push_back({Kind::Curve, {control1, control2, end}});
}

void Path::addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise) {
    elements_.push_back({Kind::Arc, {center}, radius, startAngle, endAngle, clockwise});
}

void Path::addRect(Rect rect) {
    moveTo({rect.minX(), rect.minY()});
    lineTo({rect.maxX(), rect.minY()});
    lineTo({rect.maxX(), rect.maxY()});
    lineTo({rect.minX(), rect.maxY()});
    close();
}

void Path::addEllipse(Rect rect) {
    // Four curves with the usual control distance for a quarter circle.
    constexpr double kappa = 0.5522847498307936;
    double rx = rect.width() / 2;
    double ry = rect.height() / 2;
    double cx = rect.midX();
    double cy = rect.midY();
    moveTo({cx + rx, cy});
    curveTo({cx + rx, cy + ry * kappa}, {cx + rx * kappa, cy + ry}, {cx, cy + ry});
    curveTo({cx - rx * kappa, cy + ry}, {cx - rx, cy + ry * kappa}, {cx - rx, cy});
    curveTo({cx - rx, cy - ry * kappa}, {cx - rx * kappa, cy - ry}, {cx, cy - ry});
    curveTo({cx + rx * kappa, cy - ry}, {cx + rx, cy - ry * kappa}, {cx + rx, cy});
    close();
}

void Path::addRoundedRect(Rect rect, double radius) {
    double r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    constexpr double quarter = std::numbers::pi / 2;
    moveTo({rect.minX() + r, rect.minY()});
    addArc({rect.maxX() - r, rect.minY() + r}, r, -quarter, 0, true);
    addArc({rect.maxX() - r, rect.maxY() - r}, r, 0, quarter, true);
    addArc({rect.minX() + r, rect.maxY() - r}, r, quarter, 2 * quarter, true);
    addArc({rect.minX() + r, rect.minY() + r}, r, 2 * quarter, 3 * quarter, true);
    close();
}

void Path::close() {
    elements_.push_back({Kind::Close, {}});
}

} // namespace florelle
