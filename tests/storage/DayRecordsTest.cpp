// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawDatabase.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/TestEnvironment.h"

#include <clocale>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class DayRecordsTest : public DiaryTest {
protected:
    long long count(const std::string& table) {
        return RawDatabase(databaseFile()).integer("SELECT COUNT(*) FROM " + table);
    }
};

const char* const zones[] = {"UTC", "Etc/GMT-2", "Etc/GMT+5", "Europe/Berlin"};

} // namespace

TEST_F(DayRecordsTest, ADayOpenedTwiceHasOneRowAndOneSetOfCompanions) {
    int first = DatabaseController::openDay(Date(utcSeconds(2026, 3, 10, 9))).value();
    int again = DatabaseController::openDay(Date(utcSeconds(2026, 3, 10, 18))).value();
    EXPECT_NE(first, 0);
    EXPECT_EQ(first, again);
    for (const char* table : {"dates", "note", "intimate", "weights", "temperatures"}) {
        EXPECT_EQ(count(table), 1) << table;
    }
    EXPECT_EQ(DatabaseController::getNoteForDateId(first), "");
    EXPECT_EQ(DatabaseController::getIntimateForDate(first), false);
    EXPECT_EQ(DatabaseController::getWeightForDateId(first), 0);
    EXPECT_EQ(DatabaseController::getDateids()->size(), 1u);
}

TEST_F(DayRecordsTest, EveryInstantOfALocalDayFindsTheSameRowInEveryZone) {
    for (const char* zone : zones) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        Calendar calendar = Calendar::current();
        // 29 March 2026: the clocks go forward in Berlin.
        Date midnight = calendar.dateFromComponents({2026, 3, 29, 0, 0, 0});
        Date lastSecond = calendar.dateFromComponents({2026, 3, 29, 23, 59, 59});
        Date nextDay = calendar.dateFromComponents({2026, 3, 30, 0, 0, 0});
        Date dayBefore = calendar.dateFromComponents({2026, 3, 28, 23, 59, 59});

        int id = DatabaseController::openDay(midnight).value();
        EXPECT_EQ(DatabaseController::getDateIdForDate(lastSecond), id);
        EXPECT_EQ(DatabaseController::getDateIdForDate(midnight.addingSeconds(13 * 3600)), id);
        EXPECT_EQ(DatabaseController::getDateIdForDate(nextDay), 0);
        EXPECT_EQ(DatabaseController::getDateIdForDate(dayBefore), 0);
        // The stored key keeps its form: a whole number of days since 1970.
        long long key = DatabaseController::getDateForDateId(id).value();
        EXPECT_EQ(key % 86400, 0);
        EXPECT_EQ(key, DatabaseController::dayKeyForDate(midnight));
        // and read back as an instant it falls on the same local day.
        EXPECT_EQ(calendar.components(Date(static_cast<double>(key))).day, 29);
        ASSERT_TRUE(SQLiteAccess::deleteWithSQL(
            "DELETE FROM dates; DELETE FROM note; DELETE FROM intimate; DELETE FROM weights; "
            "DELETE FROM temperatures"));
    }
}

TEST_F(DayRecordsTest, NotesAreStoredExactlyAsTyped) {
    int day = DatabaseController::openDay(clock_->now()).value();
    const std::string notes[] = {
        "It's my mum's birthday",
        "She said \"rest\"",
        "C:\\path\\to\\file \\n not a newline",
        "100% sure, 50%d off %@ %s",
        "line one\nline two\r\n\ttabbed",
        "Bauchschmerzen 🌸🩸 très fatiguée",
        "Лёгкая головная боль — 頭痛 — صداع",
        "'; DROP TABLE note; --",
        "''",
    };
    for (const auto& text : notes) {
        ASSERT_TRUE(DatabaseController::saveNote(text, day, Clock::current()->now()));
        EXPECT_EQ(DatabaseController::getNoteForDateId(day), text);
    }
    EXPECT_EQ(count("note"), 1);
    auto rows = DatabaseController::getNoEmptyNotes().value();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text("noteText"), notes[8]);
}

TEST_F(DayRecordsTest, NotesKeepTheDayDataCountInStep) {
    int day = DatabaseController::openDay(clock_->now()).value();
    auto hasData = [&] { return RawDatabase(databaseFile()).integer("SELECT hasData FROM dates"); };

    ASSERT_TRUE(DatabaseController::saveNote("", day, Clock::current()->now()));
    EXPECT_EQ(hasData(), 0) << "clearing an empty note must not lower the count";
    ASSERT_TRUE(DatabaseController::saveNote("first", day, Clock::current()->now()));
    EXPECT_EQ(hasData(), 1);
    ASSERT_TRUE(DatabaseController::saveNote("second", day, Clock::current()->now()));
    EXPECT_EQ(hasData(), 1);
    ASSERT_TRUE(DatabaseController::saveNote("", day, Clock::current()->now()));
    EXPECT_EQ(hasData(), 0);
    ASSERT_TRUE(DatabaseController::saveHasData(false, day));
    EXPECT_EQ(hasData(), 0) << "never below zero";
    ASSERT_TRUE(DatabaseController::saveNewHasData(3, day));
    EXPECT_EQ(hasData(), 3);
}

TEST_F(DayRecordsTest, NoteEditTimeIsTheSaveTimeWithoutFraction) {
    int day = DatabaseController::openDay(clock_->now()).value();
    clock_->set(Date(1700000000.75));
    ASSERT_TRUE(DatabaseController::saveNote("x", day, Clock::current()->now()));
    EXPECT_EQ(DatabaseController::getNoteEditTime(day), 1700000000);
    EXPECT_EQ(RawDatabase(databaseFile()).text("SELECT editTime FROM note"), "1700000000.75");
}

TEST_F(DayRecordsTest, UnitsConvertOnTheWayInAndOut) {
    int day = DatabaseController::openDay(clock_->now()).value();
    RawDatabase raw(databaseFile());

    ASSERT_TRUE(DatabaseController::saveSi(0));
    EXPECT_EQ(DatabaseController::getTemperatureForDateId(day).value(), 0)
        << "empty reads none in °F too";
    ASSERT_TRUE(DatabaseController::saveWeight(60, day));
    EXPECT_NEAR(raw.integer("SELECT weight * 1000000 FROM weights"), 60 * 0.45359237 * 1e6, 1);
    EXPECT_NEAR(DatabaseController::getWeightForDateId(day).value(), 60, 1e-5);
    ASSERT_TRUE(DatabaseController::saveTemperature(98.6, day));
    EXPECT_EQ(raw.text("SELECT temperature FROM temperatures"), "37.0");
    EXPECT_NEAR(DatabaseController::getTemperatureForDateId(day).value(), 98.6, 1e-9);

    ASSERT_TRUE(DatabaseController::saveSi(1));
    EXPECT_NEAR(DatabaseController::getWeightForDateId(day).value(), 27.2155422, 1e-6);
    EXPECT_DOUBLE_EQ(DatabaseController::getTemperatureForDateId(day).value(), 37);
    ASSERT_TRUE(DatabaseController::saveWeight(58.5, day));
    EXPECT_EQ(raw.text("SELECT weight FROM weights"), "58.5");
}

TEST_F(DayRecordsTest, NumbersAreStoredTheSameUnderADecimalCommaLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the test command installs the de_DE.UTF-8 locale";
    int day = DatabaseController::openDay(clock_->now()).value();
    ASSERT_TRUE(DatabaseController::saveWeight(36.6, day));
    ASSERT_TRUE(DatabaseController::saveTemperature(36.6, day));
    std::setlocale(LC_ALL, "C");
    RawDatabase raw(databaseFile());
    EXPECT_EQ(raw.text("SELECT weight FROM weights"), "36.6");
    EXPECT_EQ(raw.text("SELECT typeof(temperature) FROM temperatures"), "real");
    EXPECT_DOUBLE_EQ(DatabaseController::getWeightForDateId(day).value(), 36.6);
}

TEST_F(DayRecordsTest, MoodsSymptomsAndIntimacyOfADay) {
    int day = DatabaseController::openDay(clock_->now()).value();
    ASSERT_TRUE(DatabaseController::saveUsedMood(3, day));
    ASSERT_TRUE(DatabaseController::saveUsedMood(1, day));
    ASSERT_TRUE(DatabaseController::saveUsedSymptom(45, day));
    auto moods = DatabaseController::getMoodsForDateId(day).value();
    ASSERT_EQ(moods.size(), 2u);
    EXPECT_EQ(moods[0].integer("id"), 1);
    EXPECT_EQ(moods[1].text("moodName"), "Energetic");
    auto symptoms = DatabaseController::getSymptomsForDateId(day).value();
    ASSERT_EQ(symptoms.size(), 1u);
    EXPECT_EQ(symptoms[0].text("symptomName"), "Bloating_lv3");
    EXPECT_EQ(symptoms[0].text("imgName"), "tower_high.png");

    ASSERT_TRUE(DatabaseController::deleteUsedMood(1, day));
    ASSERT_TRUE(DatabaseController::deleteUsedSymptom(45, day));
    EXPECT_EQ(DatabaseController::getMoodsForDateId(day)->size(), 1u);
    EXPECT_TRUE(DatabaseController::getSymptomsForDateId(day)->empty());

    ASSERT_TRUE(DatabaseController::saveIntimate(1, day));
    EXPECT_EQ(DatabaseController::getIntimateForDate(day), true);
    int other = DatabaseController::openDay(Date(utcSeconds(2026, 3, 20, 12))).value();
    ASSERT_TRUE(DatabaseController::saveIntimate(1, other));
    auto dates = DatabaseController::getIntimateDatesFrom(Date(utcSeconds(2026, 3, 1)),
                                                          Date(utcSeconds(2026, 3, 15)))
                     .value();
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_EQ(dates[0].timeIntervalSince1970(), utcSeconds(2026, 3, 10));
    ASSERT_TRUE(DatabaseController::saveIntimate(0, day));
    EXPECT_EQ(DatabaseController::getIntimateForDate(day), false);
}

TEST_F(DayRecordsTest, TheCataloguesFitTheDailyLog) {
    auto moods = DatabaseController::collectAllMoods().value();
    ASSERT_GE(moods.size(), 15u);
    ASSERT_LE(moods.size(), 21u);
    for (size_t i = 0; i < moods.size(); ++i) {
        EXPECT_EQ(moods[i].integer("id"), static_cast<long long>(i + 1));
        auto name = moods[i].text("moodName").value_or("");
        EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"),
                  std::string::npos)
            << name;
    }
    auto symptoms = DatabaseController::collectAllSymptoms().value();
    ASSERT_GE(symptoms.size(), 45u);
    ASSERT_EQ(symptoms.size() % 3, 0u);
    const char* towers[] = {"tower_low.png", "tower_medium.png", "tower_high.png"};
    for (size_t i = 0; i < symptoms.size(); ++i) {
        EXPECT_EQ(symptoms[i].integer("id"), static_cast<long long>(i + 1));
        auto name = symptoms[i].text("symptomName").value_or("");
        ASSERT_GT(name.size(), 4u);
        EXPECT_EQ(name.substr(name.size() - 4), "_lv" + std::to_string(i % 3 + 1));
        auto stem = name.substr(0, name.size() - 4);
        auto groupStem = symptoms[i - i % 3].text("symptomName").value_or("");
        EXPECT_EQ(stem, groupStem.substr(0, groupStem.size() - 4));
        EXPECT_EQ(symptoms[i].text("imgName"), towers[i % 3]);
    }
    EXPECT_EQ(symptoms[44].text("symptomName"), "Bloating_lv3");
}
