// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/GraphBasicView.h"
#include "graphs/GraphScene.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace florelle {
namespace {

std::vector<GraphDataGroup> sections(std::vector<std::size_t> itemCounts) {
    std::vector<GraphDataGroup> groups;
    for (std::size_t count : itemCounts) {
        GraphDataGroup group;
        group.values.resize(count);
        groups.push_back(group);
    }
    return groups;
}

std::shared_ptr<GraphBasicView> chartOf(std::vector<std::size_t> itemCounts) {
    auto view = std::make_shared<GraphBasicView>(Rect(0, 30, 185, 400));
    view->setTowerAdjustment(1);
    view->setTowerAdjustmentRatio(1.5);
    view->setUp(sections(std::move(itemCounts)));
    return view;
}

TEST(GraphLayoutTest, OneSectionPutsBarsSeventySixPointsApart) {
    auto chart = chartOf({3});
    GraphBasicView& view = *chart;
    EXPECT_DOUBLE_EQ(view.towerThickness(), 36);
    int position = view.beginSection(0, 1);
    std::vector<int> starts;
    for (int i = 0; i < 3; ++i) {
        starts.push_back(position);
        position = view.advanceToNextItem(position);
    }
    EXPECT_EQ(starts, (std::vector<int>{5, 81, 157}));
}

TEST(GraphLayoutTest, TotalHeightHoldsEveryItemPlusTwoBars) {
    struct Row {
        std::vector<std::size_t> items;
        int height;
    };
    const std::vector<Row> rows = {
        {{}, 77},                   // no section at all: the margins only
        {{0}, 77},                  // an empty series
        {{1}, 153},                 // 5 + 76 + 72
        {{4}, 381},                 // 5 + 4 × 76 + 72
        {{4, 1}, 5 + 4 * 112 + 72}, // two sections interleave: step 72
        {{1, 4}, 5 + 4 * 112 + 72}, // the longest section decides
    };
    for (const auto& row : rows) {
        auto chart = chartOf(row.items);
        GraphBasicView& view = *chart;
        EXPECT_EQ(view.getTotalHeight(), row.height) << row.items.size() << " sections";
        view.updateSize();
        EXPECT_EQ(view.frame(), Rect(0, 30, 185, row.height));
    }
}

TEST(GraphLayoutTest, SecondSectionStartsOneBarAndOneGapLater) {
    auto chart = chartOf({2, 2});
    GraphBasicView& view = *chart;
    EXPECT_EQ(view.beginSection(1, 2), 42);
    EXPECT_EQ(view.advanceToNextItem(42), 42 + 36 + 3 + 72 + 1);
}

TEST(GraphLayoutTest, ScaledLengthsAreFiniteAndAtLeastOnePoint) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double huge = std::numeric_limits<float>::max();
    struct Row {
        double value, maximum, expected;
    };
    const std::vector<Row> rows = {
        {10, 10, 155},     {5, 10, 77.5}, {0, 0, 1},   {0, 10, 1}, {nan, 10, 1},
        {huge, huge, 155}, {inf, inf, 1}, {-3, 10, 1}, {3, 0, 1},
    };
    for (const auto& row : rows) {
        double scaled = GraphBasicView::getScaledValue(row.value, row.maximum, 155);
        EXPECT_TRUE(std::isfinite(scaled)) << row.value << " of " << row.maximum;
        EXPECT_DOUBLE_EQ(scaled, row.expected) << row.value << " of " << row.maximum;
    }
}

TEST(GraphLayoutTest, MaximumNeverFallsBelowZero) {
    auto chart = chartOf({});
    GraphBasicView& view = *chart;
    EXPECT_EQ(view.getMaxValue(), 0);
    auto groups = sections({3});
    groups[0].values[0].value = -4;
    groups[0].values[1].value = 2.5f;
    groups[0].values[2].value = 1;
    view.setUp(groups);
    EXPECT_EQ(view.getMaxValue(), 2.5f);
    groups[0].values[1].value = -1;
    view.setUp(groups);
    EXPECT_EQ(view.getMaxValue(), 1);
}

TEST(GraphLayoutTest, ValueLabelsShowATenthOnlyWhenItCounts) {
    const std::vector<std::pair<float, std::string>> rows = {
        {2.05f, "2"}, {2.1f, "2.1"}, {132.276f, "132.3"}, {0, "0"}, {28, "28"}, {59.95f, "60.0"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(GraphScene::valueLabel(value), text) << value;
    }
}

} // namespace
} // namespace florelle
