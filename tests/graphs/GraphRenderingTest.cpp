// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/BitmapContext.h"
#include "graphs/GraphDownScene.h"
#include "graphs/GraphFooter.h"
#include "graphs/GraphScene.h"
#include "graphs/GraphViewController.h"
#include "graphs/GraphViewControllerDataSource.h"
#include "support/TestEnvironment.h"
#include "ui/ImageView.h"
#include "ui/ScrollView.h"
#include "ui/ViewRenderer.h"

#include <filesystem>

namespace florelle::testing {
namespace {

// A fixed series in one section.
class FixedSeries : public GraphViewControllerDataSource {
public:
    explicit FixedSeries(std::vector<GraphDataItem> items) : items_(std::move(items)) {}
    int getNumberOfSections() override { return 1; }
    std::string getSectionNameForIndex(int) override { return ""; }
    std::string getSectionLegendNameForIndex(int) override { return ""; }
    std::vector<GraphDataItem> getData(GraphViewController&, int) override {
        ++calls;
        return items_;
    }
    int calls = 0;

private:
    std::vector<GraphDataItem> items_;
};

std::vector<GraphDataItem> bars(std::vector<float> values) {
    std::vector<GraphDataItem> items;
    for (float value : values) {
        items.push_back({"1/2/26", "tower_red.png", "", "period_flower.png", value});
    }
    return items;
}

bool isPink(const Color& c) {
    return c.alpha() > 0.9 && c.redComponent() > 0.6 && c.greenComponent() < 0.6;
}

bool isBlank(const Color& c) {
    return c.alpha() < 0.05;
}

// Pixels in a rectangle of points that pass the test.
int count(BitmapContext& bitmap, const Rect& area, bool (*test)(const Color&)) {
    int found = 0;
    for (double y = area.minY() + 0.5; y < area.maxY(); y += 1) {
        for (double x = area.minX() + 0.5; x < area.maxX(); x += 1) {
            found += test(bitmap.pixelAt({x, y})) ? 1 : 0;
        }
    }
    return found;
}

class GraphRenderingTest : public DiaryTest {
protected:
    // Draws one of the graph's views alone, at the origin, twice the pixels.
    template <typename ViewType>
    BitmapContext& render(std::vector<GraphDataItem> items, double width) {
        auto view = std::make_shared<ViewType>(Rect(0, 0, width, 400));
        view->setTowerAdjustment(1);
        view->setTowerAdjustmentRatio(1.5);
        view->setUp({GraphDataGroup{"", "", std::move(items)}});
        view->updateSize();
        bitmap_ = std::make_unique<BitmapContext>(view->frame().size, 2);
        ViewRenderer::render(*view, *bitmap_);
        return *bitmap_;
    }

    std::unique_ptr<BitmapContext> bitmap_;
};

TEST_F(GraphRenderingTest, BarsRunToTheirScaledLength) {
    BitmapContext& bitmap = render<GraphScene>(bars({10, 5, 0}), 185);
    // Bar 1 (5…41) is 155 long, bar 2 (81…117) 77.5, bar 3 (157…193) 1.
    EXPECT_GT(count(bitmap, Rect(2, 10, 20, 26), isPink), 250);
    EXPECT_TRUE(isBlank(bitmap.pixelAt({158, 23})));
    EXPECT_GT(count(bitmap, Rect(2, 86, 20, 26), isPink), 250);
    EXPECT_TRUE(isBlank(bitmap.pixelAt({80, 99})));
    EXPECT_EQ(count(bitmap, Rect(2, 157, 150, 36), isPink), 0);
    // Between bars nothing is drawn.
    EXPECT_EQ(count(bitmap, Rect(0, 42, 185, 38), isPink), 0);
}

TEST_F(GraphRenderingTest, ValueIsWrittenInWhiteNearTheBarsEnd) {
    BitmapContext& bitmap = render<GraphScene>(bars({132.276f}), 185);
    auto white = [](const Color& c) {
        return c.alpha() > 0.9 && c.redComponent() > 0.95 && c.greenComponent() > 0.95 &&
               c.blueComponent() > 0.95;
    };
    EXPECT_GT(count(bitmap, Rect(130, 5, 20, 36), white), 10);
    EXPECT_EQ(count(bitmap, Rect(2, 5, 90, 36), white), 0);
}

TEST_F(GraphRenderingTest, AllZeroOrHugeValuesDrawFiniteBars) {
    BitmapContext& zeros = render<GraphScene>(bars({0, 0}), 185);
    EXPECT_EQ(count(zeros, Rect(2, 0, 183, 153), isPink), 0);
    const float huge = std::numeric_limits<float>::max();
    BitmapContext& big = render<GraphScene>(bars({huge, huge / 2}), 185);
    EXPECT_GT(count(big, Rect(40, 10, 10, 26), isPink), 100);
    EXPECT_GT(count(big, Rect(30, 86, 10, 26), isPink), 100);
    EXPECT_TRUE(isBlank(big.pixelAt({100, 99})));
}

TEST_F(GraphRenderingTest, IconsAndCaptionsStandBesideEachBar) {
    BitmapContext& icons = render<GraphDownScene>(bars({3, 4}), 32);
    auto drawn = [](const Color& c) { return c.alpha() > 0.5; };
    EXPECT_GT(count(icons, Rect(5, 13, 20, 20), drawn), 100);
    EXPECT_GT(count(icons, Rect(5, 89, 20, 20), drawn), 100);
    EXPECT_EQ(count(icons, Rect(0, 42, 32, 36), drawn), 0);

    BitmapContext& captions = render<GraphFooter>(bars({3, 4}), 13);
    auto rose = [](const Color& c) {
        return c.alpha() > 0.5 && c.redComponent() > c.greenComponent() + 0.2;
    };
    EXPECT_GT(count(captions, Rect(0, 20, 13, 50), rose), 5);
    EXPECT_GT(count(captions, Rect(0, 96, 13, 50), rose), 5);
}

TEST_F(GraphRenderingTest, EmptySeriesDrawsNothing) {
    BitmapContext& bitmap = render<GraphScene>({}, 185);
    EXPECT_EQ(bitmap.pixelHeight(), 2 * 77);
    EXPECT_EQ(count(bitmap, Rect(0, 0, 185, 77), isBlank), 185 * 77);
}

TEST_F(GraphRenderingTest, WhatLiesBeneathShowsBetweenTheBars) {
    auto paper = std::make_shared<View>(Rect(0, 0, 185, 200));
    paper->setBackgroundColor(Color::blue());
    for (auto view : std::vector<std::shared_ptr<GraphBasicView>>{
             std::make_shared<GraphScene>(Rect(0, 0, 185, 200)),
             std::make_shared<GraphDownScene>(Rect(0, 0, 32, 200)),
             std::make_shared<GraphFooter>(Rect(0, 0, 13, 200))}) {
        view->setUp({GraphDataGroup{"", "", bars({4})}});
        paper->addSubview(view);
    }
    BitmapContext bitmap(Size{185, 200}, 1);
    ViewRenderer::render(*paper, bitmap);
    EXPECT_EQ(bitmap.pixelAt({100, 150}), Color::blue());
    EXPECT_EQ(bitmap.pixelAt({20, 150}), Color::blue());
}

TEST_F(GraphRenderingTest, RefreshAsksTheSourceAndSizesTheStrip) {
    GraphViewController graph;
    graph.setTowerWidth(1);
    graph.setTowerRatio(1.5);
    FixedSeries empty({});
    graph.setDataSourceDelegate(&empty);
    graph.viewDidAppear(false);
    EXPECT_EQ(empty.calls, 0);
    graph.viewDidAppear(true);
    EXPECT_EQ(empty.calls, 1);
    EXPECT_EQ(graph.scrollView()->contentSize(), (Size{238, 77}));

    FixedSeries three(bars({1, 2, 3}));
    graph.setDataSourceDelegate(&three);
    graph.viewDidAppear(true);
    EXPECT_EQ(graph.scrollView()->contentSize(), (Size{238, 5 + 3 * 76 + 72}));
    EXPECT_EQ(graph.graphScene()->frame(), Rect(45, 30, 185, 305));
    EXPECT_EQ(graph.graphScene()->graphDataItems().at(0).values.size(), 3u);
    EXPECT_DOUBLE_EQ(graph.graphScene()->presentationFrame().size.width, 0);
    clock_->advance(GraphViewController::growDuration + 0.1);
    EXPECT_DOUBLE_EQ(graph.graphScene()->presentationFrame().size.width, 185);
    EXPECT_DOUBLE_EQ(graph.graphFooter()->presentationAlpha(), 1);
}

TEST_F(GraphRenderingTest, TheReflectionGrowsInPastTheLastBarAtHalfStrength) {
    GraphViewController graph;
    graph.setTowerWidth(1);
    graph.setTowerRatio(1.5);
    FixedSeries three(bars({1, 2, 3}));
    graph.setDataSourceDelegate(&three);
    graph.viewDidAppear(true);
    // The third bar ends at 157 + 36; the scene is 305 long, a fifth of it 61.
    const ImageView& reflection = *graph.reflectionView();
    const Rect icons = graph.graphDownScene()->frame();
    // Seconds since the refresh, the width shown then.
    const std::pair<double, double> widthAt[] = {{0, 0}, {1, 92.5}, {2.1, 185}};
    double elapsed = 0;
    for (const auto& [time, width] : widthAt) {
        SCOPED_TRACE(time);
        clock_->advance(time - elapsed);
        elapsed = time;
        Rect shown = reflection.presentationFrame();
        EXPECT_EQ(shown.origin, (Point{45, 30 + 193}));
        EXPECT_NEAR(shown.width(), width, 1);
        EXPECT_EQ(shown.height(), 61);
        EXPECT_DOUBLE_EQ(reflection.presentationAlpha(), 0.5);
        EXPECT_FALSE(shown.intersects(icons));
    }

    // The third bar seen upside down from its end: strong at the mirror line,
    // fading away from it; past the bar's length, nothing.
    BitmapContext bitmap(Size{185, 61}, 2);
    bitmap.drawImage(reflection.image(), Point{0, 0});
    Color atMirror = bitmap.pixelAt({20, 3});
    Color further = bitmap.pixelAt({20, 30});
    EXPECT_GT(atMirror.alpha(), 0.85);
    EXPECT_GT(atMirror.redComponent(), atMirror.greenComponent() + 0.2);
    EXPECT_GT(further.alpha(), 0.35);
    EXPECT_LT(further.alpha(), 0.65);
    EXPECT_TRUE(isBlank(bitmap.pixelAt({20, 50}))) << "the gap before the third bar";
    EXPECT_TRUE(isBlank(bitmap.pixelAt({170, 2})));
}

} // namespace
} // namespace florelle::testing
