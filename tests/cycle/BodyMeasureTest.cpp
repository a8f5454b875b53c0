// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/BodyMeasure.h"

#include "storage/DatabaseController.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using Kind = BodyMeasure::Kind;
using Refusal = BodyMeasure::Refusal;

struct ReadCase {
    Kind kind;
    bool metric;
    const char* typed;
    Refusal refusal;
    double value; // 0: no value (refused or emptied)
};

TEST(BodyMeasureTest, ReadsTypedTextOrRefusesIt) {
    const ReadCase cases[] = {
        {Kind::weight, true, "72.5", Refusal::none, 72.5},
        {Kind::weight, true, " 72,5 ", Refusal::none, 72.5},
        {Kind::weight, true, "72.46", Refusal::none, 72.5},
        {Kind::weight, true, "72", Refusal::none, 72.0},
        {Kind::weight, true, ".5", Refusal::outOfRange, 0},
        {Kind::weight, true, "", Refusal::none, 0},
        {Kind::weight, true, "   ", Refusal::none, 0},
        {Kind::weight, true, "abc", Refusal::notANumber, 0},
        {Kind::weight, true, "7 2", Refusal::notANumber, 0},
        {Kind::weight, true, "72.5.1", Refusal::notANumber, 0},
        {Kind::weight, true, "-70", Refusal::notANumber, 0},
        {Kind::weight, true, "1e2", Refusal::notANumber, 0},
        {Kind::weight, true, ".", Refusal::notANumber, 0},
        {Kind::weight, true, "725", Refusal::outOfRange, 0},
        {Kind::weight, true, "300.04", Refusal::none, 300.0},
        {Kind::weight, true, "300.05", Refusal::outOfRange, 0},
        {Kind::weight, false, "160", Refusal::none, 160.0},
        {Kind::weight, false, "661", Refusal::outOfRange, 0},
        {Kind::temperature, true, "36.6", Refusal::none, 36.6},
        {Kind::temperature, true, "97.9", Refusal::outOfRange, 0}, // Fahrenheit typed in Celsius
        {Kind::temperature, true, "33.9", Refusal::outOfRange, 0},
        {Kind::temperature, false, "97.9", Refusal::none, 97.9},
        {Kind::temperature, false, "36.6", Refusal::outOfRange, 0},
    };
    for (const ReadCase& row : cases) {
        SCOPED_TRACE(row.typed);
        BodyMeasure::Entry entry = BodyMeasure(row.kind, row.metric).read(row.typed);
        EXPECT_EQ(entry.refusal, row.refusal);
        EXPECT_DOUBLE_EQ(entry.value.value_or(0), row.value);
    }
}

TEST(BodyMeasureTest, FormatsRoundedOnceWithUnitAndNothingForNone) {
    EXPECT_EQ(BodyMeasure(Kind::weight, true).format(72.46), "72.5 kg");
    // A converted 99.96 would be 99 and ten tenths if whole and tenths were rounded apart.
    EXPECT_EQ(BodyMeasure(Kind::weight, false).format(99.96), "100.0 lbs");
    EXPECT_EQ(BodyMeasure(Kind::temperature, true).format(36.6), "36.6 \u00B0C");
    EXPECT_EQ(BodyMeasure(Kind::temperature, false).format(98.6), "98.6 \u00B0F");
    EXPECT_EQ(BodyMeasure(Kind::weight, true).format(0.9), "");
    EXPECT_EQ(BodyMeasure(Kind::temperature, false).format(32.0), ""); // 0 °C stored
    EXPECT_EQ(BodyMeasure(Kind::temperature, true).format(0.0), "");
}

TEST(BodyMeasureTest, RefusalsNameTheAcceptedRange) {
    BodyMeasure weight(Kind::weight, false);
    EXPECT_NE(weight.refusalText(Refusal::outOfRange).find("44.0"), std::string::npos);
    EXPECT_NE(weight.refusalText(Refusal::outOfRange).find("660.0 lbs"), std::string::npos);
    EXPECT_NE(weight.refusalText(Refusal::notANumber), weight.refusalText(Refusal::outOfRange));
    EXPECT_EQ(weight.refusalText(Refusal::none), "");
}

class BodyMeasureStoreTest : public DiaryTest {};

// Every value typed in pounds or degrees Fahrenheit is stored in kilograms
// and degrees Celsius; read back it must show exactly what was typed.
TEST_F(BodyMeasureStoreTest, ImperialValuesSurviveTheMetricStoreUnchanged) {
    ASSERT_TRUE(DatabaseController::saveSi(0));
    int dateId = DatabaseController::openDay(clock_->now()).value();
    for (Kind kind : {Kind::weight, Kind::temperature}) {
        BodyMeasure measure(kind, false);
        BodyMeasure::Range range = measure.range();
        double step = kind == Kind::weight ? 4.3 : 0.3;
        for (double typed = range.lowest; typed <= range.highest; typed += step) {
            std::string text = measure.formatNumber(typed);
            double value = *measure.read(text).value;
            double readBack;
            if (kind == Kind::weight) {
                ASSERT_TRUE(DatabaseController::saveWeight(value, dateId));
                readBack = DatabaseController::getWeightForDateId(dateId).value();
            } else {
                ASSERT_TRUE(DatabaseController::saveTemperature(value, dateId));
                readBack = DatabaseController::getTemperatureForDateId(dateId).value();
            }
            ASSERT_EQ(measure.formatNumber(readBack), text);
            ASSERT_EQ(measure.read(measure.formatNumber(readBack)).value, value);
        }
    }
}

} // namespace
