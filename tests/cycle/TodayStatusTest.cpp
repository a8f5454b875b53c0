// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/TodayStatus.h"

#include "cycle/CycleInputs.h"
#include "cycle/PregnancyCountdown.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// Keys in angle brackets; a counted key with its count: "<days left Key|3>".
std::string shown(const LocalizedText& text) {
    return text.resolve([](std::string_view key, std::optional<int> count) {
        return "<" + std::string(key) + (count ? "|" + std::to_string(*count) : "") + ">";
    });
}

class TodayStatusTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        ASSERT_TRUE(DC::saveCycleLength(28));
        ASSERT_TRUE(DC::savePeriodLength(5));
        ASSERT_TRUE(DC::saveOvulationDay(14));
    }

    void setToday(int month, int day, int hour = 12) {
        clock_->set(localDate(2026, month, day, hour));
    }

    TodayDisplay today() {
        return TodayStatus::compute(
            CycleInputs::today(DC::getIsStartDate().value(), clock_->now()).value());
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, TodayStatusTest, ::testing::ValuesIn(dayRuleZones), zoneTestName);

// No number for an empty diary: "0 days left" would read as a period due today.
TEST_P(TodayStatusTest, NoPeriodAsksForTheStartDate) {
    setToday(3, 10);
    auto display = today();
    EXPECT_EQ(shown(display.cloudText), "<Select your start date Key>");
    EXPECT_EQ(display.centerPicture, "center0_%d.png");
    EXPECT_EQ(shown(display.numberText), "–");
    EXPECT_EQ(shown(display.captionText), "");
    EXPECT_EQ(display.numberFont, (FontSpec{48, true}));
    EXPECT_EQ(display.captionFont, (FontSpec{22, false}));
    EXPECT_EQ(display.captionOrigin, (Origin{87, 175}));
    EXPECT_TRUE(display.centerButtonEnabled);
}

// One closed period 1-5 March; each row is a day of the cycle and the status
// a user sees that day.
TEST_P(TodayStatusTest, ClosedPeriodCycleDays) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)));
    struct Case {
        int month, day, hour;
        const char* cloud;
        const char* picture;
        const char* number;
        const char* caption;
    };
    const Case cases[] = {
        {3, 4, 10, "<Your fertile window is active Key>", "center1_%d.png", "25",
         "<days left Key|25>"},
        {3, 6, 1, "<Your fertile window is active Key>", "center1_%d.png", "23",
         "<days left Key|23>"},
        {3, 14, 23, "<Your fertile window is active Key>", "center1_%d.png", "15",
         "<days left Key|15>"},
        // Ovulation day 14 falls on 15 March and wins over the fertile window.
        {3, 15, 0, "<It's your ovulation day Key>", "center1_%d.png", "14", "<days left Key|14>"},
        {3, 15, 23, "<It's your ovulation day Key>", "center1_%d.png", "14", "<days left Key|14>"},
        // The 11th day after the period's last day is the window's last.
        {3, 16, 12, "<Your fertile window is active Key>", "center1_%d.png", "13",
         "<days left Key|13>"},
        {3, 17, 0, "<Regular day Key>", "center0_%d.png", "12", "<days left Key|12>"},
        {3, 28, 18, "<Regular day Key>", "center0_%d.png", "1", "<days left Key|1>"},
        // Due today.
        {3, 29, 0, "<Select your start date Key>", "center0_%d.png", "0", "<days left Key|0>"},
        {3, 29, 23, "<Select your start date Key>", "center0_%d.png", "0", "<days left Key|0>"},
        // One day overdue.
        {3, 30, 6, "<Period is Key> 1 <days Late Key|1>!", "center0_%d.png", "0",
         "<days left Key|0>"},
        {4, 2, 6, "<Period is Key> 4 <days Late Key|4>!", "center0_%d.png", "0",
         "<days left Key|0>"},
    };
    for (const auto& c : cases) {
        setToday(c.month, c.day, c.hour);
        auto display = today();
        std::string when = std::to_string(c.month) + "/" + std::to_string(c.day) + " " +
                           std::to_string(c.hour) + "h";
        EXPECT_EQ(shown(display.cloudText), c.cloud) << when;
        EXPECT_EQ(display.centerPicture, c.picture) << when;
        EXPECT_EQ(shown(display.numberText), c.number) << when;
        EXPECT_EQ(shown(display.captionText), c.caption) << when;
    }
}

TEST_P(TodayStatusTest, OpenPeriodCountsFromDayOne) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    const std::pair<int, const char*> cases[] = {
        {0, "<Period day Key> 1"}, {23, "<Period day Key> 1"}, {24 + 1, "<Period day Key> 2"}};
    for (auto [hours, cloud] : cases) {
        clock_->set(localDate(2026, 3, 1, hours));
        auto display = today();
        EXPECT_EQ(shown(display.cloudText), cloud) << hours;
        EXPECT_EQ(shown(display.numberText), "<Period Key>");
        EXPECT_EQ(shown(display.captionText), "<(ended?) Key>");
        EXPECT_EQ(display.numberFont, (FontSpec{30, true}));
        EXPECT_EQ(display.captionFont, (FontSpec{13, false}));
        EXPECT_EQ(display.captionOrigin, (Origin{87, 160}));
        EXPECT_EQ(display.centerPicture, "center2_%d.png");
    }
    // A period left open longer than a cycle keeps counting its own days.
    setToday(3, 31);
    EXPECT_EQ(shown(today().cloudText), "<Period day Key> 31");
}

TEST_P(TodayStatusTest, PregnancyCountsDownToBirth) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)));
    setToday(3, 10);
    ASSERT_TRUE(DC::savePregnant(1, Clock::current()->now()));
    double start = static_cast<double>(DC::getPregnantStartDate().value());
    const std::tuple<double, const char*, const char*> cases[] = {
        {start + 0.5, "280", "<Days to birth Key|280>!"},
        {start + 279 * 86400, "1", "<Days to birth Key|1>!"},
        {start + 280 * 86400, "0", "<Days to birth Key|0>!"},
    };
    for (auto [now, number, caption] : cases) {
        clock_->set(Date(now));
        auto display = today();
        EXPECT_EQ(shown(display.numberText), number);
        EXPECT_EQ(shown(display.captionText), caption);
        EXPECT_EQ(display.captionFont, (FontSpec{16, false}));
        EXPECT_TRUE(display.cloudText.empty());
        EXPECT_FALSE(display.centerButtonEnabled);
        EXPECT_FALSE(display.centerPicture.has_value());
    }
    ASSERT_TRUE(DC::savePregnant(0, Clock::current()->now()));
    auto status = today();
    EXPECT_TRUE(status.centerButtonEnabled);
    EXPECT_EQ(status.centerPicture, "center0_%d.png");
    EXPECT_FALSE(status.cloudText.empty());
}

TEST(TodayStatusCloud, WideTextsWrapToTwoLines) {
    EXPECT_EQ(TodayStatus::layoutCloud(220), (TodayStatus::CloudLayout{20, 40, 225, 25, 1}));
    EXPECT_EQ(TodayStatus::layoutCloud(220.5), (TodayStatus::CloudLayout{20, 45, 225, 35, 2}));
    EXPECT_EQ(TodayStatus::cloudFont, (FontSpec{15, true}));
}

class PregnancyCountdownDays : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, PregnancyCountdownDays, ::testing::ValuesIn(dayRuleZones),
                         zoneTestName);

// Switched on at 23:00, the count changes at local midnight, not a day later.
TEST_P(PregnancyCountdownDays, CountLocalDaysToTheBirthDay) {
    auto start = static_cast<long long>(localDate(2026, 3, 1, 23).timeIntervalSince1970());
    struct Case {
        Date now;
        int days;
    } cases[] = {{localDate(2026, 3, 1, 23), 280},      {localDate(2026, 3, 1, 23, 59, 59), 280},
                 {localDate(2026, 3, 2, 0, 0, 1), 279}, {localDate(2026, 3, 2, 1), 279},
                 {localDate(2026, 12, 6, 0, 30), 0},    {localDate(2026, 12, 6, 23, 30), 0},
                 {localDate(2026, 12, 7, 0, 30), -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(PregnancyCountdown::daysToBirth(start, c.now), c.days) << localDay(c.now);
    }
}

TEST(LocalizedTextResolve, LooksUpKeysAndWritesNumbers) {
    LocalizedText text("%@ %d %@!", {"Period is Key", 3, "days Late Key"});
    EXPECT_EQ(text.resolve([](std::string_view key, std::optional<int>) {
        return key == "Period is Key" ? "Period is" : "days late";
    }),
              "Period is 3 days late!");
    EXPECT_EQ(LocalizedText::number(-2).resolve({}), "-2");
}

} // namespace
