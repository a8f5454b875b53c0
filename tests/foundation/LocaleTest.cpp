// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Locale.h"

#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/TimeZone.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using florelle::testing::utcSeconds;

TEST(Locale, FirstWeekdayFollowsTheLocale) {
    const std::pair<const char*, int> cases[] = {
        {"en_US", 1}, {"de_DE", 2}, {"hr_HR", 2}, {"ar_EG", 7}};
    for (auto [identifier, weekday] : cases) {
        EXPECT_EQ(Locale(identifier).firstWeekday(), weekday) << identifier;
        EXPECT_EQ(Calendar(TimeZone("UTC"), Locale(identifier)).firstWeekday(), weekday)
            << identifier;
    }
}

TEST(Locale, CurrentCanBeSetPerTest) {
    Locale::setCurrent("hr_HR");
    EXPECT_EQ(Locale::current().identifier(), "hr_HR");
    EXPECT_EQ(Calendar::current().locale().identifier(), "hr_HR");
    EXPECT_EQ(Calendar::current().firstWeekday(), 2);
    Locale::setCurrent(std::nullopt);
    EXPECT_FALSE(Locale::current().identifier().empty());
}

TEST(Locale, FromAPosixSetting) {
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "de_DE"}, {"de_AT.UTF-8@euro", "de_AT"},
        {"hr_HR", "hr_HR"},       {"en", "en"},
        {"C", "en_US_POSIX"},     {"C.UTF-8", "en_US_POSIX"},
        {"POSIX", "en_US_POSIX"}, {"", "en_US_POSIX"}};
    for (auto [setting, identifier] : cases) {
        EXPECT_EQ(Locale::fromPosix(setting).identifier(), identifier) << setting;
    }
}

TEST(Calendar, DaysInMonth) {
    Calendar utc(TimeZone("UTC"), Locale("en_US"));
    EXPECT_EQ(utc.daysInMonth(Date(utcSeconds(2024, 2, 10))), 29);
    EXPECT_EQ(utc.daysInMonth(Date(utcSeconds(2026, 2, 28, 23))), 28);
    EXPECT_EQ(utc.daysInMonth(Date(utcSeconds(2026, 4, 1))), 30);
    // 31 March 23:00 UTC is already April in UTC+2.
    Calendar east(TimeZone("Etc/GMT-2"), Locale("en_US"));
    EXPECT_EQ(east.daysInMonth(Date(utcSeconds(2026, 3, 31, 23))), 30);
}

TEST(TimeZone, CurrentOffsetFollowsTheClockAndDaylightSaving) {
    auto clock = std::make_shared<ManualClock>(Date(utcSeconds(2026, 1, 15)));
    Clock::setCurrent(clock);
    TimeZone berlin("Europe/Berlin");
    EXPECT_EQ(berlin.secondsFromGMT(), 3600);
    clock->set(Date(utcSeconds(2026, 7, 15)));
    EXPECT_EQ(berlin.secondsFromGMT(), 7200);
    EXPECT_EQ(TimeZone("Etc/GMT+5").secondsFromGMT(), -18000);
    Clock::setCurrent(nullptr);
}

TEST(TimeZone, SystemZoneIsLookedUpAgainAfterAReset) {
    TimeZone::setCurrent(std::nullopt);
    std::string before = TimeZone::current().identifier();
    TimeZone::resetSystemTimeZone();
    EXPECT_EQ(TimeZone::current().identifier(), before);
    EXPECT_FALSE(before.empty());
}

TEST(Calendar, OffsetAtADate) {
    Calendar berlin(TimeZone("Europe/Berlin"), Locale("de_DE"));
    EXPECT_EQ(berlin.secondsFromGMT(Date(utcSeconds(2026, 3, 29, 0, 59, 59))), 3600);
    EXPECT_EQ(berlin.secondsFromGMT(Date(utcSeconds(2026, 3, 29, 1))), 7200);
    EXPECT_EQ(Calendar(TimeZone("Etc/GMT+5"), Locale("en_US")).secondsFromGMT(Date(0)), -18000);
}
