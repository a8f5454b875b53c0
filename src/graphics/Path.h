// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <vector>

namespace florelle {

// A shape made of lines, curves and arcs, in points, to fill, stroke or clip to.
class Path {
public:
    void moveTo(Point point);
    void lineTo(Point point);
    // A cubic curve to end, pulled towards the two control points.
    void curveTo(Point control1, Point control2, Point end);
    // An arc around center from startAngle to endAngle (radians; 0 points
    // right, angles grow clockwise on screen), joined to the current point.
    void addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise);
    void addRect(Rect rect);
    void addEllipse(Rect rect);
    void addRoundedRect(Rect rect, double radius);
    void close();

    bool isEmpty() const { return elements_.empty(); }

    enum class Kind { Move, Line, Curve, Arc, Close };
    struct Element {
        Kind kind;
        Point points[3];
        double radius = 0;
        double startAngle = 0;
        double endAngle = 0;
        bool clockwise = true;
    };
    const std::vector<Element>& elements() const { return elements_; }

private:
    std::vector<Element> elements_;
};

} // namespace florelle
