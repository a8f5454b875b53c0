// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/ICalendarEvent.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace florelle {
namespace {

using testing::utcSeconds;

// Events as other calendar programs write them, read in Berlin (UTC+1 in
// March): the start and end in UTC seconds, the edit time and the identity.
TEST(ICalendarEventTest, ReadsEventsAsOtherProgramsWriteThem) {
    struct Case {
        const char* name;
        const char* event;
        double start; // -1: no time
        double end;
        double edited;
    } cases[] = {
        {"UTC", "DTSTART:20260302T101500Z\r\nDTEND:20260302T111500Z\r\n",
         utcSeconds(2026, 3, 2, 10, 15), utcSeconds(2026, 3, 2, 11, 15), 0},
        {"a whole day, at local midnight",
         "DTSTART;VALUE=DATE:20260302\r\n"
         "DTEND;VALUE=DATE:20260303\r\n",
         utcSeconds(2026, 3, 1, 23), utcSeconds(2026, 3, 2, 23), 0},
        {"floating, in local time", "DTSTART:20260302T000010\r\nDURATION:PT1H\r\n",
         utcSeconds(2026, 3, 1, 23, 0, 10), utcSeconds(2026, 3, 2, 0, 0, 10), 0},
        {"a zone the object describes",
         "DTSTART;TZID=Far East:20260302T090000\r\nDTEND;TZID=Far East:20260302T100000\r\n",
         utcSeconds(2026, 3, 2, 0), utcSeconds(2026, 3, 2, 1), 0},
        {"a zone libical knows by name", "DTSTART;TZID=America/Bogota:20260302T000020\r\n",
         utcSeconds(2026, 3, 2, 5, 0, 20), utcSeconds(2026, 3, 2, 5, 0, 20), 0},
        {"edited", "LAST-MODIFIED:20260305T120000Z\r\n", -1, 0, utcSeconds(2026, 3, 5, 12)},
        {"stamped only", "DTSTAMP:20260304T120000Z\r\n", -1, 0, utcSeconds(2026, 3, 4, 12)},
    };
    ICalendarEvent codec(Calendar(TimeZone("Europe/Berlin")));
    for (const auto& row : cases) {
        std::string text =
            std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//T//EN\r\n"
                        "BEGIN:VTIMEZONE\r\nTZID:Far East\r\nBEGIN:STANDARD\r\n"
                        "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0900\r\n"
                        "TZOFFSETTO:+0900\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
                        "BEGIN:VEVENT\r\nUID:one@elsewhere\r\nSUMMARY:Yoga\\, late\r\n") +
            row.event + "END:VEVENT\r\nEND:VCALENDAR\r\n";
        auto event = codec.read(text);
        ASSERT_TRUE(event) << row.name;
        EXPECT_EQ(event->title, "Yoga, late") << row.name;
        EXPECT_EQ(event->uid, "one@elsewhere") << row.name;
        EXPECT_EQ(event->edited.timeIntervalSince1970(), row.edited) << row.name;
        if (row.start < 0) {
            EXPECT_TRUE(event->times.empty()) << row.name;
            continue;
        }
        ASSERT_EQ(event->times.size(), 1u) << row.name;
        EXPECT_EQ(event->times[0].start.timeIntervalSince1970(), row.start) << row.name;
        EXPECT_EQ(event->times[0].end.timeIntervalSince1970(), row.end) << row.name;
    }
    EXPECT_FALSE(codec.read("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nEND:VTODO\r\nEND:VCALENDAR\r\n"));
    EXPECT_FALSE(codec.read("not a calendar"));
}

} // namespace
} // namespace florelle
