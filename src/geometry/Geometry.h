// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// A position in points; y grows downwards.
struct Point {
    double x = 0;
    double y = 0;

    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;

    bool operator==(const Size&) const = default;
};

// An axis-aligned rectangle. The accessors read a rectangle with a negative
// width or height as its standardised form (origin at the smaller corner).
struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point origin, Size size) : origin(origin), size(size) {}
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    bool operator==(const Rect&) const = default;

    double minX() const;
    double minY() const;
    double maxX() const;
    double maxY() const;
    double midX() const;
    double midY() const;
    double width() const;
    double height() const;

    // The same area with a non-negative width and height.
    Rect standardized() const;
    // True when the width or the height is zero.
    bool isEmpty() const;
    // True when the point lies inside; the maximum edges are outside.
    bool contains(Point point) const;
    bool contains(const Rect& other) const;
    // True when the two share some area.
    bool intersects(const Rect& other) const;
    // The shared area; an empty rectangle at the origin when there is none.
    Rect intersection(const Rect& other) const;
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect unionWith(const Rect& other) const;
    // Moves every edge inwards by dx and dy (outwards when negative).
    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const;
};

// An affine map of the plane:
//   x' = a·x + c·y + tx
//   y' = b·x + d·y + ty
struct AffineTransform {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    bool operator==(const AffineTransform&) const = default;

    static AffineTransform identity() { return {}; }
    static AffineTransform translation(double tx, double ty);
    static AffineTransform scale(double sx, double sy);
    // Angle in radians; positive turns from the x axis towards the y axis.
    static AffineTransform rotation(double angle);

    bool isIdentity() const { return *this == AffineTransform{}; }
    // This transform followed by other.
    AffineTransform concat(const AffineTransform& other) const;
    // The inverse; a transform that cannot be inverted comes back unchanged.
    AffineTransform invert() const;
    bool isInvertible() const;

    Point apply(Point point) const;
    // The bounding box of the transformed rectangle.
    Rect apply(const Rect& rect) const;
};

} // namespace florelle
