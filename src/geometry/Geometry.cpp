// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geometry.h"

#include <algorithm>
#include <cmath>

namespace florelle {

double Rect::minX() const {
    return std::min(origin.x, origin.x + size.width);
}
double Rect::minY() const {
    return std::min(origin.y, origin.y + size.height);
}
double Rect::maxX() const {
    return std::max(origin.x, origin.x + size.width);
}
double Rect::maxY() const {
    return std::max(origin.y, origin.y + size.height);
}
double Rect::midX() const {
    return origin.x + size.width / 2;
}
double Rect::midY() const {
    return origin.y + size.height / 2;
}
double Rect::width() const {
    return std::abs(size.width);
}
double Rect::height() const {
    return std::abs(size.height);
}

Rect Rect::standardized() const {
    return Rect(minX(), minY(), width(), height());
}

bool Rect::isEmpty() const {
    return size.width == 0 || size.height == 0;
}

bool Rect::contains(Point point) const {
    return !isEmpty() && point.x >= minX() && point.x < maxX() && point.y >= minY() &&
           point.y < maxY();
}

bool Rect::contains(const Rect& other) const {
    return !isEmpty() && !other.isEmpty() && other.minX() >= minX() && other.maxX() <= maxX() &&
           other.minY() >= minY() && other.maxY() <= maxY();
}

bool Rect::intersects(const Rect& other) const {
    return !intersection(other).isEmpty();
}

Rect Rect::intersection(const Rect& other) const {
    if (isEmpty() || other.isEmpty()) {
        return Rect();
    }
    double left = std::max(minX(), other.minX());
    double top = std::max(minY(), other.minY());
    double right = std::min(maxX(), other.maxX());
    double bottom = std::min(maxY(), other.maxY());
    if (right <= left || bottom <= top) {
        return Rect();
    }
    return Rect(left, top, right - left, bottom - top);
}

Rect Rect::unionWith(const Rect& other) const {
    if (isEmpty()) {
        return other.standardized();
    }
    if (other.isEmpty()) {
        return standardized();
    }
    double left = std::min(minX(), other.minX());
    double top = std::min(minY(), other.minY());
    double right = std::max(maxX(), other.maxX());
    double bottom = std::max(maxY(), other.maxY());
    return Rect(left, top, right - left, bottom - top);
}

Rect Rect::insetBy(double dx, double dy) const {
    Rect result = standardized();
    result.origin.x += dx;
    result.origin.y += dy;
    result.size.width -= 2 * dx;
    result.size.height -= 2 * dy;
    if (result.size.width < 0 || result.size.height < 0) {
        return Rect();
    }
    return result;
}

Rect Rect::offsetBy(double dx, double dy) const {
    return Rect(origin.x + dx, origin.y + dy, size.width, size.height);
}

AffineTransform AffineTransform::translation(double tx, double ty) {
    return {1, 0, 0, 1, tx, ty};
}

AffineTransform AffineTransform::scale(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

AffineTransform AffineTransform::rotation(double angle) {
    double cosine = std::cos(angle);
    double sine = std::sin(angle);
    return {cosine, sine, -sine, cosine, 0, 0};
}

AffineTransform AffineTransform::concat(const AffineTransform& other) const {
    return {a * other.a + b * other.c,
            a * other.b + b * other.d,
            c * other.a + d * other.c,
            c * other.b + d * other.d,
            tx * other.a + ty * other.c + other.tx,
            tx * other.b + ty * other.d + other.ty};
}

bool AffineTransform::isInvertible() const {
    double determinant = a * d - b * c;
    return std::isfinite(determinant) && determinant != 0;
}

AffineTransform AffineTransform::invert() const {
    if (!isInvertible()) {
        return *this;
    }
    double determinant = a * d - b * c;
    return {d / determinant,
            -b / determinant,
            -c / determinant,
            a / determinant,
            (c * ty - d * tx) / determinant,
            (b * tx - a * ty) / determinant};
}

Point AffineTransform::apply(Point point) const {
    return {a * point.x + c * point.y + tx, b * point.x + d * point.y + ty};
}

Rect AffineTransform::apply(const Rect& rect) const {
    Point corners[] = {
        apply(Point{rect.minX(), rect.minY()}), apply(Point{rect.maxX(), rect.minY()}),
        apply(Point{rect.minX(), rect.maxY()}), apply(Point{rect.maxX(), rect.maxY()})};
    double left = corners[0].x;
    double right = corners[0].x;
    double top = corners[0].y;
    double bottom = corners[0].y;
    for (const Point& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    return Rect(left, top, right - left, bottom - top);
}

} // namespace florelle
