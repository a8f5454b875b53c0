// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Calendar.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using florelle::testing::utcSeconds;

TEST(Calendar, LocalDayBoundsFollowTheZone) {
    struct Case {
        const char* zone;
        double instant;
        double start;
        double end;
    };
    const Case cases[] = {
        {"UTC", utcSeconds(2026, 3, 1, 15), utcSeconds(2026, 3, 1),
         utcSeconds(2026, 3, 1, 23, 59, 59)},
        // 1 March 01:00 in UTC+2 is still 28 February in UTC.
        {"Etc/GMT-2", utcSeconds(2026, 2, 28, 23), utcSeconds(2026, 2, 28, 22),
         utcSeconds(2026, 3, 1, 21, 59, 59)},
        // 28 February 21:00 in UTC-5 is already 1 March in UTC.
        {"Etc/GMT+5", utcSeconds(2026, 3, 1, 2), utcSeconds(2026, 2, 28, 5),
         utcSeconds(2026, 3, 1, 4, 59, 59)},
    };
    for (const auto& c : cases) {
        Calendar calendar{TimeZone(c.zone)};
        EXPECT_EQ(calendar.startOfDay(Date(c.instant)).timeIntervalSince1970(), c.start) << c.zone;
        EXPECT_EQ(calendar.endOfDay(Date(c.instant)).timeIntervalSince1970(), c.end) << c.zone;
    }
}

TEST(Calendar, DayStepsKeepTheWallClockAcrossDaylightSaving) {
    Calendar berlin{TimeZone("Europe/Berlin")};
    // 28 March 2026 00:00 CET; clocks go forward on 29 March.
    Date saturday(utcSeconds(2026, 3, 27, 23));
    Date monday = berlin.addingDays(saturday, 2);
    EXPECT_EQ(monday.timeIntervalSince1970(), utcSeconds(2026, 3, 29, 22));
    EXPECT_EQ(berlin.components(monday).hour, 0);
    EXPECT_EQ(berlin.daysFrom(saturday, monday), 2);
    EXPECT_EQ(berlin.daysFrom(monday, saturday), -2);
    EXPECT_EQ(berlin.daysFrom(saturday, saturday.addingSeconds(86399)), 0);
}

TEST(Calendar, ComponentsRoundTripAndRollOver) {
    Calendar utc{TimeZone("UTC")};
    DateComponents parts{2024, 2, 30, 13, 0, 0};
    Date date = utc.dateFromComponents(parts);
    auto back = utc.components(date);
    EXPECT_EQ(back.month, 3);
    EXPECT_EQ(back.day, 1);
    EXPECT_EQ(back.hour, 13);
    EXPECT_EQ(back.weekday, 6); // a Friday
    EXPECT_EQ(utc.addingMonths(utc.dateFromComponents({2026, 1, 31}), 1).timeIntervalSince1970(),
              utcSeconds(2026, 2, 28));
}
