#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;
using DC = DatabaseController;

namespace {

class SettingsTest : public DiaryTest {};

} // namespace

TEST_F(SettingsTest, AFreshDiaryStartsWithTheTemplateValues) {
    struct Case {
        const char* key;
        std::function<long long()> read;
        long long expected;
    };
    const Case cases[] = {
        {"FIRST_TIME_ON", DC::isFirstTimeOn, 1},
        {"FIRST_TIME_SYNC", DC::getIsFirstSync, 1},
        {"SI_UNITS", DC::getSi, 1},
        {"PREGNANT", DC::getPregnant, 0},
        {"PREGNANT_START_DATE", DC::getPregnantStartDate, 0},
        {"PERIOD_NOTIFICATION", DC::getPeriodNotification, 2},
        {"FERTILE_NOTIFICATION", DC::getFertileNotification, 0},
        {"OVULATION_DAY", DC::getOvulationDay, 14},
        {"PERIOD_LENGTH", DC::getPeriodLength, 5},
        {"CYCLE_LENGTH", DC::getCycleLength, 28},
        {"CYCLE_LENGTH", DC::getCycle, 28},
        {"IS_START_DATE", DC::getIsStartDate, 1},
        {"SKIN", DC::getSkin, 0},
        {"APP_VERSION", DC::getCurrentAppVersion, 130},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.read(), c.expected) << c.key;
    }
    EXPECT_EQ(DC::getLocalPasscode(), "");
    EXPECT_EQ(DC::getUsername(), "");
    EXPECT_EQ(DC::getPassword(), "");
}

TEST_F(SettingsTest, AMissingSettingsRowReadsAsZeroAndNoText) {
    SQLiteAccess::deleteWithSQL("DELETE FROM settings");
    EXPECT_EQ(DC::getCycleLength(), 0);
    EXPECT_FALSE(DC::getIsStartDate());
    EXPECT_EQ(DC::getCurrentAppVersion(), 0);
    EXPECT_EQ(DC::getLocalPasscode(), std::nullopt);
    EXPECT_EQ(DC::getUsername(), std::nullopt);
}

TEST_F(SettingsTest, LengthsStoreOneInPlaceOfZero) {
    DC::saveCycleLength(0);
    DC::savePeriodLength(0);
    DC::saveOvulationDay(0);
    EXPECT_EQ(DC::getCycleLength(), 1);
    EXPECT_EQ(DC::getPeriodLength(), 1);
    EXPECT_EQ(DC::getOvulationDay(), 1);
    DC::saveCycleLength(35);
    DC::savePeriodLength(7);
    DC::saveOvulationDay(21);
    EXPECT_EQ(DC::getCycle(), 35);
    EXPECT_EQ(DC::getPeriodLength(), 7);
    EXPECT_EQ(DC::getOvulationDay(), 21);
}

TEST_F(SettingsTest, PregnancyModeStampsItsStart) {
    clock_->set(Date(1760000000.9));
    DC::savePregnant(1);
    EXPECT_EQ(DC::getPregnant(), 1);
    EXPECT_EQ(DC::getPregnantStartDate(), 1760000000);
    DC::savePregnant(0);
    EXPECT_EQ(DC::getPregnant(), 0);
    EXPECT_EQ(DC::getPregnantStartDate(), 0);
}

TEST_F(SettingsTest, RemindersByKind) {
    DC::saveNotification(0, 3);
    DC::saveNotification(1, 4);
    DC::saveNotification(2, 9);
    DC::saveNotification(-1, 9);
    EXPECT_EQ(DC::getPeriodNotification(), 3);
    EXPECT_EQ(DC::getFertileNotification(), 4);
}

TEST_F(SettingsTest, AccountTextsAreStoredExactlyAsTyped) {
    const std::string texts[] = {"o'brien@example.org", "pa\"ss'wo\\rd%d%@", "пароль密码🔑",
                                 "two\nlines", "x' OR '1'='1"};
    for (const auto& text : texts) {
        DC::saveGoogleUsername(text);
        DC::saveGooglePassword(text + "!");
        EXPECT_EQ(DC::getUsername(), text);
        EXPECT_EQ(DC::getPassword(), text + "!");
    }
    EXPECT_EQ(DC::getCycleLength(), 28) << "no other setting is touched";
}

TEST_F(SettingsTest, SmallSettingsRoundTrip) {
    DC::saveLocalPasscode(1234);
    EXPECT_EQ(DC::getLocalPasscode(), "1234");
    DC::saveFirstTimeOn(0);
    DC::saveFirstTimeSync(0);
    DC::saveSi(0);
    DC::saveIsStartDate(0);
    DC::saveSkin(2);
    DC::saveAge(31);
    DC::saveCurrentAppVersion(120);
    EXPECT_EQ(DC::isFirstTimeOn(), 0);
    EXPECT_EQ(DC::getIsFirstSync(), 0);
    EXPECT_EQ(DC::getSi(), 0);
    EXPECT_FALSE(DC::getIsStartDate());
    EXPECT_EQ(DC::getSkin(), 2);
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT value FROM settings WHERE name = 'AGE'"),
              "31");
    EXPECT_EQ(DC::getCurrentAppVersion(), 120);
}
