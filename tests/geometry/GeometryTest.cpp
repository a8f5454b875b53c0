// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/Geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace florelle {
namespace {

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

void expectNear(const Rect& actual, const Rect& expected) {
    expectNear(actual.origin, expected.origin);
    EXPECT_NEAR(actual.size.width, expected.size.width, 1e-9);
    EXPECT_NEAR(actual.size.height, expected.size.height, 1e-9);
}

TEST(RectTest, EdgesOfANegativeSizedRectAreStandardised) {
    Rect rect(10, 20, -4, -6);
    EXPECT_EQ(rect.minX(), 6);
    EXPECT_EQ(rect.maxX(), 10);
    EXPECT_EQ(rect.minY(), 14);
    EXPECT_EQ(rect.maxY(), 20);
    EXPECT_EQ(rect.width(), 4);
    EXPECT_EQ(rect.height(), 6);
    EXPECT_EQ(rect.standardized(), Rect(6, 14, 4, 6));
}

TEST(RectTest, ContainsIncludesTheMinimumEdgesOnly) {
    Rect rect(0, 0, 10, 10);
    struct Case {
        Point point;
        bool inside;
    } cases[] = {{{0, 0}, true},   {{9.99, 9.99}, true}, {{10, 5}, false},
                 {{5, 10}, false}, {{-0.01, 5}, false},  {{5, 5}, true}};
    for (const auto& row : cases) {
        EXPECT_EQ(rect.contains(row.point), row.inside) << row.point.x << "," << row.point.y;
    }
    EXPECT_FALSE(Rect(5, 5, 0, 10).contains(Point{5, 6}));
}

TEST(RectTest, IntersectionAndUnion) {
    Rect a(0, 0, 10, 10);
    Rect b(5, 5, 10, 10);
    EXPECT_TRUE(a.intersects(b));
    EXPECT_EQ(a.intersection(b), Rect(5, 5, 5, 5));
    EXPECT_EQ(a.unionWith(b), Rect(0, 0, 15, 15));

    Rect touching(10, 0, 5, 5);
    EXPECT_FALSE(a.intersects(touching));
    EXPECT_TRUE(a.intersection(touching).isEmpty());

    EXPECT_EQ(a.unionWith(Rect(100, 100, 0, 0)), a);
    EXPECT_EQ(Rect().unionWith(b), b);
    EXPECT_TRUE(a.contains(Rect(2, 2, 3, 3)));
    EXPECT_FALSE(a.contains(b));
}

TEST(RectTest, InsetAndOffset) {
    Rect rect(10, 10, 20, 30);
    EXPECT_EQ(rect.insetBy(2, 3), Rect(12, 13, 16, 24));
    EXPECT_EQ(rect.insetBy(-1, -1), Rect(9, 9, 22, 32));
    EXPECT_TRUE(rect.insetBy(11, 0).isEmpty());
    EXPECT_EQ(rect.offsetBy(5, -5), Rect(15, 5, 20, 30));
    EXPECT_EQ(rect.midX(), 20);
    EXPECT_EQ(rect.midY(), 25);
}

TEST(AffineTransformTest, ConcatAppliesThisFirst) {
    auto scaleThenMove = AffineTransform::scale(2, 3).concat(AffineTransform::translation(10, 20));
    expectNear(scaleThenMove.apply(Point{1, 1}), Point{12, 23});

    auto moveThenScale = AffineTransform::translation(10, 20).concat(AffineTransform::scale(2, 3));
    expectNear(moveThenScale.apply(Point{1, 1}), Point{22, 63});
}

TEST(AffineTransformTest, RotationTurnsXTowardsY) {
    auto quarter = AffineTransform::rotation(std::numbers::pi / 2);
    expectNear(quarter.apply(Point{1, 0}), Point{0, 1});
    expectNear(quarter.apply(Rect(0, 0, 10, 20)), Rect(-20, 0, 20, 10));
}

TEST(AffineTransformTest, InvertUndoesTheTransform) {
    auto transform = AffineTransform::rotation(0.3)
                         .concat(AffineTransform::scale(2, 0.5))
                         .concat(AffineTransform::translation(-7, 4));
    auto roundTrip = transform.concat(transform.invert());
    expectNear(roundTrip.apply(Point{3, -8}), Point{3, -8});
    EXPECT_TRUE(transform.isInvertible());

    auto flat = AffineTransform::scale(0, 1);
    EXPECT_FALSE(flat.isInvertible());
    EXPECT_EQ(flat.invert(), flat);
}

TEST(AffineTransformTest, IdentityLeavesEverythingInPlace) {
    EXPECT_TRUE(AffineTransform::identity().isIdentity());
    EXPECT_EQ(AffineTransform::identity().apply(Rect(1, 2, 3, 4)), Rect(1, 2, 3, 4));
    EXPECT_FALSE(AffineTransform::translation(1, 0).isIdentity());
}

} // namespace
} // namespace florelle
