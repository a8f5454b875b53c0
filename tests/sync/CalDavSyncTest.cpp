// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar sync against a real CalDAV server: Radicale on this machine.
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/RadicaleServer.h"
#include "support/TestEnvironment.h"
#include "sync/CalendarServerClient.h"
#include "sync/DavMultistatus.h"
#include "sync/ICalendarEvent.h"
#include "sync/SyncAccount.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace florelle {
namespace {

using DC = DatabaseController;
using testing::RadicaleServer;
using Result = SyncOutcome::Result;

const char* calendarsQuery = R"(<propfind xmlns="DAV:"><prop><resourcetype/><displayname/></prop>
</propfind>)";
const char* eventsQuery =
    R"(<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
<D:prop><D:getetag/><C:calendar-data/></D:prop>
<C:filter><C:comp-filter name="VCALENDAR"/></C:filter></C:calendar-query>)";

// What the server holds, read back with plain PROPFIND and REPORT requests.
struct Stored {
    DavResource resource;
    CalendarEvent event;
    // "10" or "20" for the seconds of a period or fertile day's start, else "note".
    std::string kind;
};

// A diary with one logged period and two notes, one of them on a period
// day; each test syncs it as a user of its own on one Radicale server.
class CalDavSyncTest : public testing::DiaryTest {
protected:
    static void SetUpTestSuite() { server_ = new RadicaleServer(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        DiaryTest::SetUp();
        if (!RadicaleServer::isInstalled()) {
            GTEST_SKIP() << "Radicale is not installed at " << RadicaleServer::program;
        }
        ASSERT_TRUE(server_->isReady()) << "Radicale did not start";
        setTimeZone(zone());
        user_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        user_.erase(std::remove_if(user_.begin(), user_.end(), [](char c) { return !isalnum(c); }),
                    user_.end());
        server_->addUser(user_, "secret");
        ASSERT_TRUE(DC::saveLog(day(2), day(6)));
        periodNoteDay_ = DC::openDay(day(3)).value();
        regularNoteDay_ = DC::openDay(day(-8)).value(); // 20 February
        ASSERT_TRUE(DC::saveNote("Cramps", periodNoteDay_, clock_->now()));
        ASSERT_TRUE(DC::saveNote("Long walk", regularNoteDay_, clock_->now()));
        periodDays_ = DC::getAllPeriodDates(clock_->now()).value();
        fertileDays_ = DC::getAllFertileDates(clock_->now()).value();
    }

    virtual std::string zone() const { return "Europe/Berlin"; }
    // Local midnight of a day of March 2026.
    Date day(int number) const { return calendar().dateFromComponents({2026, 3, number}); }
    static Calendar calendar() { return Calendar(TimeZone::current()); }

    SyncOutcome sync(const std::string& password = "secret", const std::string& path = "") {
        return calendarSync({server_->url(path), user_, password}, calendar(), clock_->now())
            .syncWithUser();
    }

    // The addresses of the user's calendars titled "Florelle".
    std::vector<std::string> calendars() const {
        auto answer = server_->request("PROPFIND", server_->url("/" + user_ + "/"), user_, "secret",
                                       calendarsQuery, {"Depth: 1"});
        std::vector<std::string> found;
        for (const auto& resource : readMultistatus(answer.body, server_->url())) {
            if (resource.isCalendar && resource.displayName == "Florelle") {
                found.push_back(resource.href);
            }
        }
        return found;
    }

    std::vector<Stored> events() const {
        auto florelle = calendars();
        if (florelle.size() != 1) {
            ADD_FAILURE() << florelle.size() << " calendars \"Florelle\"";
            return {};
        }
        auto answer = server_->request("REPORT", florelle.front(), user_, "secret", eventsQuery,
                                       {"Depth: 1"});
        EXPECT_EQ(answer.status, 207);
        ICalendarEvent codec(calendar());
        std::vector<Stored> stored;
        for (const auto& resource : readMultistatus(answer.body, server_->url())) {
            CalendarEvent event = codec.read(resource.calendarData).value();
            int second = calendar().components(event.times.at(0).start).second;
            std::string kind = second == 10 || second == 20 ? std::to_string(second) : "note";
            stored.push_back({resource, event, kind});
        }
        return stored;
    }

    std::map<std::string, int> kinds() const {
        std::map<std::string, int> counted;
        for (const auto& event : events()) {
            ++counted[event.kind];
        }
        return counted;
    }

    // The event as another calendar program would write it, times in UTC.
    std::string otherClientsEvent(const Stored& stored, const std::string& title, int second,
                                  Date edited) const {
        auto utc = [](Date date) {
            DateComponents parts = Calendar(TimeZone("UTC")).components(date);
            char text[32];
            std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", parts.year, parts.month,
                          parts.day, parts.hour, parts.minute, parts.second);
            return std::string(text);
        };
        Date start = calendar().startOfDay(stored.event.times.at(0).start).addingSeconds(second);
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\nBEGIN:VEVENT\r\n"
               "UID:" +
               stored.event.uid + "\r\nDTSTAMP:" + utc(edited) +
               "\r\nLAST-MODIFIED:" + utc(edited) + "\r\nSUMMARY:" + title +
               "\r\nDTSTART:" + utc(start) + "\r\nDTEND:" + utc(start.addingSeconds(3600)) +
               "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }

    void replace(const Stored& stored, const std::string& ics) const {
        auto answer = server_->request("PUT", stored.resource.href, user_, "secret", ics,
                                       {"Content-Type: text/calendar; charset=utf-8"});
        ASSERT_TRUE(answer.status == 201 || answer.status == 204) << answer.status;
    }

    std::string note(int dateId) const { return DC::getNoteForDateId(dateId)->value_or(""); }
    std::map<std::string, int> expectedKinds() const {
        return {{"10", static_cast<int>(periodDays_.size())},
                {"20", static_cast<int>(fertileDays_.size())},
                {"note", 2}};
    }

    static RadicaleServer* server_;
    std::string user_;
    int periodNoteDay_ = 0;
    int regularNoteDay_ = 0;
    std::vector<Date> periodDays_;
    std::vector<Date> fertileDays_;
};

RadicaleServer* CalDavSyncTest::server_ = nullptr;

TEST_F(CalDavSyncTest, TheFirstSyncMakesAndFillsTheCalendarAndTheSecondChangesNoDay) {
    SyncOutcome first = sync();
    ASSERT_EQ(first.result, Result::synced) << first.reason;
    EXPECT_TRUE(first.calendarCreated);
    EXPECT_EQ(first.inserted, static_cast<int>(periodDays_.size() + fertileDays_.size() + 2));
    EXPECT_EQ(kinds(), expectedKinds());
    EXPECT_EQ(DC::getUsername().value(), user_);
    std::map<std::string, std::string> days;
    for (const auto& stored : events()) {
        if (stored.kind != "note") {
            days[stored.resource.href] = stored.resource.etag;
        }
    }

    SyncOutcome second = sync();
    ASSERT_EQ(second.result, Result::synced) << second.reason;
    EXPECT_FALSE(second.calendarCreated);
    // Inserted, deleted, updated, imported: only the notes are written again.
    EXPECT_EQ(std::tuple(second.inserted, second.deleted, second.updated, second.imported),
              std::tuple(2, 2, 0, 0));
    EXPECT_EQ(calendars().size(), 1u);
    std::map<std::string, std::string> daysAgain;
    for (const auto& stored : events()) {
        if (stored.kind != "note") {
            daysAgain[stored.resource.href] = stored.resource.etag;
        }
    }
    EXPECT_EQ(daysAgain, days) << "the same period and fertile events, unchanged";
    EXPECT_EQ(note(periodNoteDay_), "Cramps");
}

TEST_F(CalDavSyncTest, ChangesMadeOnTheServerComeBackAsTheDiarySays) {
    ASSERT_EQ(sync().result, Result::synced);
    Date later = clock_->now().addingSeconds(3600);
    std::string periodToFertile, fertileToPeriod;
    for (const auto& stored : events()) {
        if (stored.kind == "10" && periodToFertile.empty()) {
            // As an earlier sync left a day that was fertile then.
            replace(stored, otherClientsEvent(stored, "Fertile", 20, later));
            periodToFertile = stored.resource.href;
        } else if (stored.kind == "20" && fertileToPeriod.empty()) {
            replace(stored, otherClientsEvent(stored, "Period", 10, later));
            fertileToPeriod = stored.resource.href;
        } else if (stored.event.title == "Cramps") {
            replace(stored, otherClientsEvent(stored, "Cramps; it's worse", 5 * 3600, later));
        } else if (stored.event.title == "Long walk") {
            replace(stored, otherClientsEvent(stored, "Short walk", 5 * 3600, later));
        }
    }
    clock_->advance(7200);

    SyncOutcome outcome = sync();
    ASSERT_EQ(outcome.result, Result::synced) << outcome.reason;
    EXPECT_EQ(outcome.updated, 2);
    EXPECT_EQ(outcome.imported, 1);
    EXPECT_EQ(note(periodNoteDay_), "Cramps; it's worse");
    EXPECT_EQ(note(regularNoteDay_), "Long walk") << "not a period or fertile day";
    EXPECT_EQ(kinds(), expectedKinds());
    for (const auto& stored : events()) {
        if (stored.resource.href == periodToFertile) {
            EXPECT_EQ(stored.kind, "10") << "turned back into a period day";
            EXPECT_EQ(stored.event.title, Strings::localized("Period Key"));
        } else if (stored.resource.href == fertileToPeriod) {
            EXPECT_EQ(stored.kind, "20");
            EXPECT_EQ(stored.event.title, Strings::localized("Fertile Key"));
        }
        EXPECT_GT(stored.event.times.at(0).end, stored.event.times.at(0).start);
    }
}

TEST_F(CalDavSyncTest, AnAddressWithoutCalDavFindsItThroughTheWellKnownOne) {
    // Such as the address of the server's web pages.
    SyncOutcome outcome = sync("secret", "/apps/calendar/");
    ASSERT_EQ(outcome.result, Result::synced) << outcome.reason;
    EXPECT_TRUE(outcome.calendarCreated);
    EXPECT_EQ(kinds(), expectedKinds());
}

// Passes the requests on, but the server goes away before the fifth insert.
class VanishingServerClient : public CalendarServerClient {
public:
    VanishingServerClient(RadicaleServer& server, const CalendarAccount& account,
                          const Calendar& calendar, std::shared_ptr<CalDavDiscovery> discovery,
                          int& inserts)
        : CalendarServerClient(account, calendar, std::move(discovery)), server_(server),
          inserts_(inserts) {}
    Ticket insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) override {
        if (++inserts_ == 5) {
            server_.stop();
        }
        return CalendarServerClient::insertEvent(calendar, event);
    }

private:
    RadicaleServer& server_;
    int& inserts_;
};

TEST_F(CalDavSyncTest, AWrongPasswordOrAServerThatGoesAwaySaysSoAndLeavesTheDiaryWhole) {
    SyncOutcome refused = sync("guess");
    EXPECT_EQ(refused.result, Result::failed);
    EXPECT_EQ(refused.reason, "The calendar server did not accept the user name and password.");
    EXPECT_EQ(DC::getUsername().value().value_or(""), "") << "kept as it was";

    RadicaleServer vanishing;
    ASSERT_TRUE(vanishing.isReady());
    vanishing.addUser(user_, "secret");
    int inserts = 0;
    auto discovery = std::make_shared<CalDavDiscovery>();
    CalendarAccount account{vanishing.url(), user_, "secret"};
    CalendarSync engine(
        user_,
        [&] {
            return std::make_unique<VanishingServerClient>(vanishing, account, calendar(),
                                                           discovery, inserts);
        },
        {"Period", "Fertile"}, calendar(), clock_->now());
    SyncOutcome gone = engine.syncWithUser();
    EXPECT_EQ(gone.result, Result::someNotCopied) << gone.reason;
    EXPECT_EQ(gone.inserted, 4);
    EXPECT_EQ(gone.failedRequests,
              static_cast<int>(periodDays_.size() + fertileDays_.size() + 2 - 4));
    EXPECT_EQ(note(periodNoteDay_), "Cramps");
    EXPECT_EQ(note(regularNoteDay_), "Long walk");
    EXPECT_EQ(DC::getAllPeriods()->size(), 1u);
    EXPECT_EQ(DC::getAllPeriodDates(clock_->now()).value(), periodDays_);
}

// The events as any CalDAV client reads them back: each period day's event
// starts ten seconds after that day's local midnight, written in the
// diary's zone with its name (UTC as UTC).
class CalDavReadBackTest : public CalDavSyncTest,
                           public ::testing::WithParamInterface<std::string> {
protected:
    std::string zone() const override { return GetParam(); }
};

TEST_P(CalDavReadBackTest, EventsStartOnTheDiarysDaysInItsZone) {
    ASSERT_EQ(sync().result, Result::synced);
    std::vector<int> expected = testing::localDays(periodDays_);
    std::vector<int> found;
    for (const auto& stored : events()) {
        if (stored.kind != "10") {
            continue;
        }
        int localDay = testing::localDay(stored.event.times.at(0).start);
        found.push_back(localDay);
        std::string start = std::to_string(localDay) + "T000010";
        std::string line = GetParam() == "UTC" ? "\nDTSTART:" + start + "Z"
                                               : "\nDTSTART;TZID=" + GetParam() + ":" + start;
        EXPECT_NE(stored.resource.calendarData.find(line), std::string::npos)
            << line << " in\n"
            << stored.resource.calendarData;
        Date midnight = calendar().startOfDay(stored.event.times.at(0).start);
        EXPECT_EQ(stored.event.times.at(0).start, midnight.addingSeconds(10));
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
}

INSTANTIATE_TEST_SUITE_P(Zones, CalDavReadBackTest, ::testing::ValuesIn(testing::dayRuleZones),
                         testing::zoneTestName);

} // namespace
} // namespace florelle
