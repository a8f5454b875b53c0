// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;
using DC = DatabaseController;

namespace {

// A setting's stored number, for a table of settings of several types.
template <auto read> long long valueOf() {
    return static_cast<long long>(read().value());
}

class SettingsTest : public DiaryTest {};

} // namespace

TEST_F(SettingsTest, AFreshDiaryStartsWithTheTemplateValues) {
    struct Case {
        const char* key;
        std::function<long long()> read;
        long long expected;
    };
    const Case cases[] = {
        {"FIRST_TIME_ON", valueOf<DC::isFirstTimeOn>, 1},
        {"FIRST_TIME_SYNC", valueOf<DC::getIsFirstSync>, 1},
        {"SI_UNITS", valueOf<DC::getSi>, 1},
        {"PREGNANT", valueOf<DC::getPregnant>, 0},
        {"PREGNANT_START_DATE", valueOf<DC::getPregnantStartDate>, 0},
        {"PERIOD_NOTIFICATION", valueOf<DC::getPeriodNotification>, 2},
        {"FERTILE_NOTIFICATION", valueOf<DC::getFertileNotification>, 0},
        {"OVULATION_DAY", valueOf<DC::getOvulationDay>, 14},
        {"PERIOD_LENGTH", valueOf<DC::getPeriodLength>, 5},
        {"CYCLE_LENGTH", valueOf<DC::getCycleLength>, 28},
        {"CYCLE_LENGTH", valueOf<DC::getCycle>, 28},
        {"IS_START_DATE", valueOf<DC::getIsStartDate>, 1},
        {"SKIN", valueOf<DC::getSkin>, 0},
        {"APP_VERSION", valueOf<DC::getCurrentAppVersion>, 130},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.read(), c.expected) << c.key;
    }
    EXPECT_EQ(DC::getLocalPasscode(), "");
    EXPECT_EQ(DC::getUsername(), "");
    EXPECT_EQ(DC::getPassword(), "");
}

TEST_F(SettingsTest, AMissingSettingsRowReadsAsZeroAndNoText) {
    ASSERT_TRUE(SQLiteAccess::deleteWithSQL("DELETE FROM settings"));
    EXPECT_EQ(DC::getCycleLength(), 1) << "held to the picker's range";
    EXPECT_EQ(DC::getIsStartDate(), false);
    EXPECT_EQ(DC::getCurrentAppVersion(), 0);
    EXPECT_EQ(DC::getLocalPasscode(), Row::Value());
    EXPECT_EQ(DC::getUsername(), Row::Value());
}

TEST_F(SettingsTest, LengthsStoreOneInPlaceOfZero) {
    ASSERT_TRUE(DC::saveCycleLength(0));
    ASSERT_TRUE(DC::savePeriodLength(0));
    ASSERT_TRUE(DC::saveOvulationDay(0));
    EXPECT_EQ(DC::getCycleLength(), 1);
    EXPECT_EQ(DC::getPeriodLength(), 1);
    EXPECT_EQ(DC::getOvulationDay(), 1);
    ASSERT_TRUE(DC::saveCycleLength(35));
    ASSERT_TRUE(DC::savePeriodLength(7));
    ASSERT_TRUE(DC::saveOvulationDay(21));
    EXPECT_EQ(DC::getCycle(), 35);
    EXPECT_EQ(DC::getPeriodLength(), 7);
    EXPECT_EQ(DC::getOvulationDay(), 21);
}

TEST_F(SettingsTest, PregnancyModeStampsItsStart) {
    clock_->set(Date(1760000000.9));
    ASSERT_TRUE(DC::savePregnant(1, Clock::current()->now()));
    EXPECT_EQ(DC::getPregnant(), 1);
    EXPECT_EQ(DC::getPregnantStartDate(), 1760000000);
    ASSERT_TRUE(DC::savePregnant(0, Clock::current()->now()));
    EXPECT_EQ(DC::getPregnant(), 0);
    EXPECT_EQ(DC::getPregnantStartDate(), 0);
}

TEST_F(SettingsTest, RemindersByKind) {
    ASSERT_TRUE(DC::saveNotification(0, 3));
    ASSERT_TRUE(DC::saveNotification(1, 4));
    ASSERT_TRUE(DC::saveNotification(2, 9));
    ASSERT_TRUE(DC::saveNotification(-1, 9));
    EXPECT_EQ(DC::getPeriodNotification(), 3);
    EXPECT_EQ(DC::getFertileNotification(), 4);
}

TEST_F(SettingsTest, AccountTextsAreStoredExactlyAsTyped) {
    const std::string texts[] = {"o'brien@example.org", "pa\"ss'wo\\rd%d%@", "пароль密码🔑",
                                 "two\nlines", "x' OR '1'='1"};
    for (const auto& text : texts) {
        ASSERT_TRUE(DC::saveGoogleUsername(text));
        ASSERT_TRUE(DC::saveGooglePassword(text + "!"));
        EXPECT_EQ(DC::getUsername(), text);
        EXPECT_EQ(DC::getPassword(), text + "!");
    }
    EXPECT_EQ(DC::getCycleLength(), 28) << "no other setting is touched";
}

TEST_F(SettingsTest, SmallSettingsRoundTrip) {
    ASSERT_TRUE(DC::saveLocalPasscode(1234));
    EXPECT_EQ(DC::getLocalPasscode(), "1234");
    ASSERT_TRUE(DC::saveFirstTimeOn(0));
    ASSERT_TRUE(DC::saveFirstTimeSync(0));
    ASSERT_TRUE(DC::saveSi(0));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    ASSERT_TRUE(DC::saveSkin(2));
    ASSERT_TRUE(DC::saveAge(31));
    ASSERT_TRUE(DC::saveCurrentAppVersion(120));
    EXPECT_EQ(DC::isFirstTimeOn(), 0);
    EXPECT_EQ(DC::getIsFirstSync(), 0);
    EXPECT_EQ(DC::getSi(), 0);
    EXPECT_EQ(DC::getIsStartDate(), false);
    EXPECT_EQ(DC::getSkin(), 2);
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT value FROM settings WHERE name = 'AGE'"),
              "31");
    EXPECT_EQ(DC::getCurrentAppVersion(), 120);
}

TEST_F(SettingsTest, NumbersEditedByHandAreHeldToThePickersRanges) {
    struct Case {
        const char* key;
        const char* stored;
        long long (*read)();
        long long expected;
    };
    const Case cases[] = {
        {"CYCLE_LENGTH", "2147483647", valueOf<DC::getCycleLength>, 59},
        {"CYCLE_LENGTH", "-40", valueOf<DC::getCycleLength>, 1},
        {"PERIOD_LENGTH", "99999999999999", valueOf<DC::getPeriodLength>, 19},
        {"OVULATION_DAY", "0", valueOf<DC::getOvulationDay>, 1},
        {"PERIOD_NOTIFICATION", "300", valueOf<DC::getPeriodNotification>, 29},
        {"SKIN", "7", valueOf<DC::getSkin>, 2},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SQLiteAccess::updateWithSQL("UPDATE settings SET value = ? WHERE name = ?",
                                                {c.stored, c.key}));
        EXPECT_EQ(c.read(), c.expected) << c.key << " = " << c.stored;
    }
    ASSERT_TRUE(DC::saveLog(Date(1000000000), Date(1000086400)));
    EXPECT_TRUE(DC::getAllPeriodDates(clock_->now())) << "the arithmetic works within the ranges";
}
