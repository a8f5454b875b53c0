// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Strings.h"
#include "graphs/GraphScene.h"
#include "graphs/GraphViewController.h"
#include "screens/ChartsController.h"
#include "screens/DiaryActions.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

namespace florelle::testing {
namespace {

using Chart = ChartSeries::Chart;

class ChartsPageTest : public MainScreenTest {
protected:
    ChartsController& charts() const {
        return dynamic_cast<ChartsController&>(main().page(MainPageKind::charts));
    }
    const std::vector<GraphDataItem>& bars() const {
        return charts().graph().graphScene()->graphDataItems().at(0).values;
    }
    void tap(Button& button) {
        Rect frame = button.bounds();
        host().tap(button.convertPointToWindow({frame.midX(), frame.midY()}));
        host().advance(2.5);
    }
    // A diary of the last weeks before 1 March 2026: moods, a symptom,
    // three periods and weights.
    static void seed() {
        ASSERT_TRUE(DatabaseController::saveSi(1));
        const int moods[][2] = {{2, 3}, {2, 10}, {2, 11}, {2, 20}, {2, 26}};
        for (const auto& [month, day] : moods) {
            int id = DatabaseController::openDay(localDate(2026, month, day, 9)).value();
            ASSERT_TRUE(DatabaseController::saveUsedMood(1, id));
            if (day % 2 == 0) {
                ASSERT_TRUE(DatabaseController::saveUsedMood(2, id));
                ASSERT_TRUE(DatabaseController::saveUsedSymptom(4, id));
            }
            ASSERT_TRUE(DatabaseController::saveWeight(60 + day / 10.0, id));
        }
        ASSERT_TRUE(DatabaseController::saveLog(localDate(2026, 1, 8), localDate(2026, 1, 12)));
        ASSERT_TRUE(DatabaseController::saveLog(localDate(2026, 2, 5), localDate(2026, 2, 9)));
        ASSERT_TRUE(DatabaseController::saveStartPeriod(localDate(2026, 3, 5)));
    }
};

TEST_F(ChartsPageTest, EachChartShowsTheDiaryOfTheWindow) {
    seed();
    launch();
    openPetal(MainPageKind::charts);
    EXPECT_EQ(charts().type(), Chart::moods);
    EXPECT_EQ(charts().periodMode(), 0);
    ASSERT_EQ(bars().size(), 2u);
    EXPECT_EQ(bars()[0].value, 5);
    EXPECT_EQ(bars()[0].valueName, Strings::localized("Happy Key"));
    EXPECT_TRUE(charts().noDataLbl().isHidden());
    keepScreenshot("charts-moods");

    struct Case {
        Chart chart;
        std::vector<float> values;
        const char* name;
    };
    const std::vector<Case> cases = {
        {Chart::symptoms, {3}, "charts-symptoms"},
        {Chart::period, {5}, "charts-period"},
        {Chart::cycle, {28}, "charts-cycle"},
        {Chart::weight, {60.3f, 61.0f, 61.1f, 62.0f, 62.6f}, "charts-weight"},
    };
    for (const auto& c : cases) {
        tap(charts().chartButton(c.chart));
        EXPECT_EQ(charts().type(), c.chart) << c.name;
        EXPECT_TRUE(charts().chartButton(c.chart).isSelected()) << c.name;
        std::vector<float> values;
        for (const auto& bar : bars()) {
            values.push_back(bar.value);
        }
        EXPECT_EQ(values, c.values) << c.name;
        EXPECT_FALSE(charts().noData()) << c.name;
        keepScreenshot(c.name);
    }

    // Three months hold the January period and both cycles.
    tap(charts().timeRangeBtn());
    EXPECT_DOUBLE_EQ(charts().timeRangeView().alpha(), 1);
    tap(charts().periodModeButton(1));
    EXPECT_EQ(charts().periodMode(), 1);
    EXPECT_DOUBLE_EQ(charts().timeRangeView().alpha(), 0);
    tap(charts().chartButton(Chart::cycle));
    EXPECT_EQ(bars().size(), 2u);
    keepScreenshot("charts-cycle-3-months");
}

// The charts follow a mood logged while they show; hidden, they leave the
// diary alone and count it when they are opened again.
TEST_F(ChartsPageTest, AMoodLoggedCountsWhileTheChartsShowAndWhenTheyOpen) {
    seed();
    launch();
    openPetal(MainPageKind::charts);
    ASSERT_EQ(bars().at(0).value, 5);
    auto logHappy = [this](int day) {
        DailyLogEntry::Change change;
        change.moodsChosen = {1};
        auto changed =
            DiaryActions::changeDay(localDate(2026, 2, day), change, host().clock().now());
        ASSERT_TRUE(changed.ok() && *changed);
        host().advance(1);
    };
    logHappy(28);
    EXPECT_EQ(bars().at(0).value, 6);

    main().bringInfoDown();
    host().advance(1);
    openPetal(MainPageKind::notes);
    logHappy(27);
    EXPECT_EQ(bars().at(0).value, 6);
    main().bringInfoDown();
    host().advance(1);
    openPetal(MainPageKind::charts);
    EXPECT_EQ(bars().at(0).value, 7);
}

TEST_F(ChartsPageTest, AnEmptyDiaryShowsNoDataAndSteppingMovesTheWindow) {
    launch();
    openPetal(MainPageKind::charts);
    EXPECT_TRUE(bars().empty());
    EXPECT_TRUE(charts().noData());
    EXPECT_FALSE(charts().noDataLbl().isHidden());
    keepScreenshot("charts-empty-moods");
    const std::vector<std::pair<Chart, const char*>> others = {{Chart::symptoms, "symptoms"},
                                                               {Chart::period, "period"},
                                                               {Chart::cycle, "cycle"},
                                                               {Chart::weight, "weight"}};
    for (const auto& [chart, name] : others) {
        tap(charts().chartButton(chart));
        EXPECT_TRUE(bars().empty()) << name;
        EXPECT_FALSE(charts().noDataLbl().isHidden()) << name;
        keepScreenshot(std::string("charts-empty-") + name);
    }

    Date before = charts().window().fromDate;
    tap(charts().chartButton(Chart::moods));
    host().tap(charts().bottomBar().convertPointToWindow({24, 48}));
    host().advance(2.5);
    EXPECT_EQ(localDay(charts().window().fromDate),
              localDay(Calendar::current().addingDays(before, -30)));
    EXPECT_EQ(charts().graph().scrollView()->contentSize().height, 77);
}

} // namespace
} // namespace florelle::testing
