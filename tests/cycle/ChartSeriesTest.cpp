// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/ChartSeries.h"

#include "cycle/DailyLogCatalogue.h"
#include "storage/ChartData.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using Chart = ChartSeries::Chart;

constexpr int happy = 1;   // catalogue mood "Happy"
constexpr int calm = 2;    // catalogue mood "Calm"
constexpr int cramps1 = 1; // catalogue symptom "Cramps_lv1"

class ChartSeriesTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        // Shortly after midnight, when a UTC day and the local day differ most.
        now_ = localDate(2026, 11, 20, 0, 30);
    }

    ChartWindow window(int mode = 0) const {
        return ChartWindow::endingAt(now_, mode, Calendar::current());
    }
    ChartSeries::Series series(Chart chart, int mode = 0, int si = 1) const {
        return ChartSeries::build(chart, ChartData::read(window(mode), Calendar::current()).value(),
                                  si, now_, Calendar::current());
    }
    static std::vector<int> dates(const ChartSeries::Series& series) {
        std::vector<int> days;
        for (const auto& bar : series.bars) {
            days.push_back(bar.captionDate ? localDay(*bar.captionDate) : 0);
        }
        return days;
    }
    static std::vector<float> values(const ChartSeries::Series& series) {
        std::vector<float> list;
        for (const auto& bar : series.bars) {
            list.push_back(bar.value);
        }
        return list;
    }
    // An evening of the local day: late enough to be the next UTC day west
    // of UTC.
    static int dayId(int month, int day) {
        return DatabaseController::openDay(localDate(2026, month, day, 22, 45)).value();
    }

    Date now_;
};

INSTANTIATE_TEST_SUITE_P(Zones, ChartSeriesTest, ::testing::ValuesIn(dayRuleZones), zoneTestName);

} // namespace

TEST_P(ChartSeriesTest, WindowsAreThirtyLocalDaysPerMonthAndStepFreely) {
    const Calendar calendar = Calendar::current();
    struct Case {
        int mode;
        int fromDay;
    };
    for (const Case& c :
         {Case{0, 20261021}, Case{1, 20260822}, Case{2, 20260524}, Case{7, 20261021}}) {
        ChartWindow w = window(c.mode);
        EXPECT_EQ(localDay(w.fromDate), c.fromDay) << c.mode;
        EXPECT_EQ(w.toDate, now_);
    }
    ChartWindow back = window(1).stepped(1, false, calendar);
    EXPECT_EQ(localDay(back.fromDate), 20260524);
    EXPECT_EQ(localDay(back.toDate), 20260822);
    ChartWindow ahead = window(1).stepped(1, true, calendar);
    EXPECT_EQ(localDay(ahead.toDate), 20270218);
    EXPECT_EQ(calendar.components(ahead.toDate).hour, 0);
}

TEST_P(ChartSeriesTest, MoodsAndSymptomsCountTheirDaysInTheWindow) {
    EXPECT_TRUE(series(Chart::moods).noData);
    EXPECT_TRUE(series(Chart::moods).bars.empty());
    for (int day : {21, 25, 30}) {
        ASSERT_TRUE(
            DatabaseController::saveUsedMood(happy, dayId(10, day))); // 21 October is the first day
    }
    ASSERT_TRUE(DatabaseController::saveUsedMood(calm, dayId(10, 20))); // the day before the window
    ASSERT_TRUE(DatabaseController::saveUsedMood(calm, dayId(11, 21))); // the day after it
    ASSERT_TRUE(DatabaseController::saveUsedSymptom(cramps1, dayId(11, 20)));

    auto moods = series(Chart::moods);
    EXPECT_FALSE(moods.noData);
    ASSERT_EQ(moods.bars.size(), 1u);
    EXPECT_EQ(moods.bars[0],
              (ChartSeries::Bar{3, "Happy Key", std::nullopt, "bar_happy.png", "Happy.png"}));
    auto symptoms = series(Chart::symptoms);
    ASSERT_EQ(symptoms.bars.size(), 1u);
    EXPECT_EQ(symptoms.bars[0],
              (ChartSeries::Bar{1, "Cramps Key", std::nullopt, "tower_low.png", "Cramps_lv1.png"}));
}

TEST_P(ChartSeriesTest, PeriodsCountBothEndDaysAndCyclesTheDaysBetweenStarts) {
    EXPECT_TRUE(series(Chart::cycle).noData);
    // A start late in the evening and an end early in the morning.
    ASSERT_TRUE(DatabaseController::saveLog(localDate(2026, 10, 22, 23, 50),
                                            localDate(2026, 10, 26, 0, 10)));
    EXPECT_EQ(values(series(Chart::period)), (std::vector<float>{5}));
    EXPECT_EQ(dates(series(Chart::period)), (std::vector<int>{20261022}));
    EXPECT_TRUE(series(Chart::cycle).bars.empty()); // one start gives no cycle
    EXPECT_TRUE(series(Chart::cycle).noData);

    // The next start lies past the window but within 16 days of its end.
    ASSERT_TRUE(
        DatabaseController::saveLog(localDate(2026, 11, 19, 0, 5), localDate(2026, 11, 22)));
    ASSERT_TRUE(DatabaseController::saveStartPeriod(localDate(2026, 12, 6, 23, 0)));
    auto cycles = series(Chart::cycle);
    EXPECT_EQ(values(cycles), (std::vector<float>{28, 17}));
    EXPECT_EQ(dates(cycles), (std::vector<int>{20261022, 20261119}));
    EXPECT_EQ(values(series(Chart::period)), (std::vector<float>{5, 4}));
    EXPECT_EQ(series(Chart::period).bars[0].imageName, "tower_red.png");
    EXPECT_EQ(cycles.bars[0].imageNameOver, "time.png");
}

TEST_P(ChartSeriesTest, AnOpenPeriodRunsToToday) {
    ASSERT_TRUE(DatabaseController::saveStartPeriod(localDate(2026, 11, 18, 21, 0)));
    EXPECT_EQ(values(series(Chart::period)), (std::vector<float>{3}));
    const Calendar calendar = Calendar::current();
    EXPECT_EQ(ChartSeries::periodDays({localDate(2026, 12, 1), Date()}, now_, calendar), 1);
}

TEST_P(ChartSeriesTest, WeightsShowInTheChosenUnitAndSkipNonReadings) {
    ASSERT_TRUE(DatabaseController::saveSi(1));
    ASSERT_TRUE(DatabaseController::saveWeight(60, dayId(11, 1)));
    ASSERT_TRUE(DatabaseController::saveWeight(0.4, dayId(11, 2)));
    ASSERT_TRUE(DatabaseController::saveWeight(61.5, dayId(10, 21)));
    auto kilograms = series(Chart::weight, 0, 1);
    EXPECT_EQ(values(kilograms), (std::vector<float>{61.5f, 60}));
    EXPECT_EQ(dates(kilograms), (std::vector<int>{20261021, 20261101}));
    EXPECT_EQ(kilograms.bars[0].imageNameOver, "weight_icon.png");
    auto pounds = series(Chart::weight, 0, 0);
    // The pound is 0.45359237 kg exactly; the bar reads 132.3 like the daily log.
    EXPECT_FLOAT_EQ(pounds.bars[1].value, 60 / 0.45359237);

    ChartData tiny;
    tiny.weights = {{0.3, now_}};
    auto skipped = ChartSeries::build(Chart::weight, tiny, 1, now_, Calendar::current());
    EXPECT_TRUE(skipped.bars.empty());
    EXPECT_FALSE(skipped.noData);
}

// A symptom's bar reads as its row on the daily log page, whatever its
// intensity; a name without a level is kept whole on both.
TEST(ChartSeriesNames, SymptomCaptionsDropTheLevelAsTheDailyLogDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"Cramps_lv3", "Cramps Key"}, {"Acne", "Acne Key"}, {"Lv1", "Lv1 Key"}, {"", " Key"}};
    for (const auto& [name, key] : cases) {
        ChartData data;
        data.symptoms = {{1, name, "tower.png", 2}};
        auto bars = ChartSeries::build(Chart::symptoms, data, 1, Date(), Calendar::current()).bars;
        ASSERT_EQ(bars.size(), 1u) << name;
        EXPECT_EQ(bars[0].captionKey, key) << name;
        EXPECT_EQ(DailyLogCatalogue::symptomKey(name), key) << name;
    }
}
