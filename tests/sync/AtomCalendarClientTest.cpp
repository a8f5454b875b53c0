// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/AtomCalendarClient.h"

#include "support/AtomServer.h"

#include <gtest/gtest.h>

namespace florelle {
namespace {

using testing::AtomServer;

Calendar berlin() {
    return Calendar(TimeZone("Europe/Berlin"));
}

TEST(AtomFeedTest, ReadsAndWritesTimesWithTheirOffset) {
    AtomFeed feed(berlin());
    struct Case {
        const char* text;
        double seconds; // -1: refused
    } cases[] = {
        {"2026-03-05T00:00:10.000+01:00", 1772665210},
        {"2026-03-04T23:00:10Z", 1772665210},
        {"2026-03-04T18:00:10.5-05:00", 1772665210},
        {"2026-03-05", 1772665200}, // a whole day: its local midnight
        {"2026-02-29T00:00:00Z", -1},
        {"2026-03-05T24:00:00Z", -1},
        {"2026-03-05T00:00:00", -1},
        {"2026-03-05T00:00:00+0100", -1},
        {"2026-03-05T00:00:00.Z", -1},
        {"05.03.2026", -1},
        {"", -1},
    };
    for (const auto& row : cases) {
        auto parsed = feed.parseTime(row.text);
        if (row.seconds < 0) {
            EXPECT_FALSE(parsed) << row.text;
        } else {
            ASSERT_TRUE(parsed) << row.text;
            EXPECT_EQ(parsed->timeIntervalSince1970(), row.seconds) << row.text;
        }
    }
    EXPECT_EQ(feed.formatTime(Date(1772665210)), "2026-03-05T00:00:10.000+01:00");
    EXPECT_EQ(feed.formatTime(Date(1784325599)), "2026-07-17T23:59:59.000+02:00");
}

TEST(AtomFeedTest, RefusesDocumentsThatAreNoFeed) {
    AtomFeed feed(berlin());
    const std::string atom = "xmlns='http://www.w3.org/2005/Atom'";
    struct Case {
        std::string document;
        const char* message;
    } cases[] = {
        {"<?xml version='1.0'?><!DOCTYPE feed [<!ENTITY x SYSTEM 'file:///etc/passwd'>]><feed " +
             atom + "><entry><title>&x;</title></entry></feed>",
         "declares entities"},
        {"<feed " + atom + "><entry>", "not a readable XML document"},
        {"<rss><channel/></rss>", "not an Atom feed"},
        {"<feed " + atom +
             " xmlns:times='urn:florelle:calendar-times'><entry><title>a</title>"
             "<times:when startTime='yesterday' endTime='today'/></entry></feed>",
         "unreadable time"},
    };
    for (const auto& row : cases) {
        try {
            feed.parseEventFeed(row.document, "http://127.0.0.1/");
            ADD_FAILURE() << row.document;
        } catch (const AtomFeedError& error) {
            EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos)
                << error.what();
        }
    }
}

class AtomCalendarClientTest : public ::testing::Test {
protected:
    AtomCalendarClient client(const std::string& root, const std::string& password = "secret") {
        return AtomCalendarClient({root, "anna", password}, berlin());
    }
    // The ticket's failure, or "" when it succeeded.
    static std::string outcome(const Ticket& ticket, double timeout = 20) {
        CalendarDataClient::waitForTicket(ticket, timeout);
        return ticket->failure().value_or("");
    }

    AtomServer server_{"anna", "secret"};
};

TEST_F(AtomCalendarClientTest, KeepsACalendarThroughARedirect) {
    auto atom = client(server_.url("/moved"));
    auto made = atom.insertCalendar("Florelle & co");
    ASSERT_EQ(outcome(made), "");
    ASSERT_EQ(made->reply().calendars.size(), 1u);
    CalendarEntry calendar = made->reply().calendars[0];
    EXPECT_EQ(calendar.title, "Florelle & co");
    EXPECT_EQ(calendar.eventFeedUrl, server_.url("/calendar/feeds/cal0/private/full"));

    CalendarEvent event;
    event.title = "Period";
    event.times = {{Date(1772665210), Date(1772751599)}};
    ASSERT_EQ(outcome(atom.insertEvent(calendar, event)), "");
    event.title = "Note <b>";
    ASSERT_EQ(outcome(atom.insertEvent(calendar, event)), "");
    auto stored = server_.events("Florelle & co");
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].times[0].first, "2026-03-05T00:00:10.000+01:00");
    EXPECT_EQ(stored[0].times[0].second, "2026-03-05T23:59:59.000+01:00");

    auto fetched = atom.fetchEvents(calendar, 1);
    ASSERT_EQ(outcome(fetched), "");
    ASSERT_EQ(fetched->reply().events.size(), 1u);
    CalendarEvent first = fetched->reply().events[0];
    EXPECT_EQ(first.title, "Period");
    EXPECT_EQ(first.times[0].start, Date(1772665210));
    EXPECT_EQ(first.edited, Date(1'700'000'000));

    first.title = "Fertile";
    ASSERT_EQ(outcome(atom.updateEvent(first)), "");
    auto second = atom.fetchEvents(calendar, 10);
    ASSERT_EQ(outcome(second), "");
    ASSERT_EQ(outcome(atom.deleteEvent(second->reply().events[1])), "");
    stored = server_.events("Florelle & co");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].title, "Fertile");

    auto list = atom.fetchCalendarList();
    ASSERT_EQ(outcome(list), "");
    EXPECT_EQ(list->reply().calendars.size(), 1u);
}

TEST_F(AtomCalendarClientTest, EachFailureEndsTheRequestWithItsReason) {
    server_.addCalendar("Florelle");
    CalendarEntry calendar{"Florelle", server_.url("/calendar/feeds/cal0/private/full")};
    CalendarEvent event;
    event.title = "Period";
    event.times = {{Date(1772665210), Date(1772751599)}};
    struct Case {
        const char* name;
        std::function<void(AtomServer::Faults&)> fault;
        std::string password;
        std::function<Ticket(AtomCalendarClient&)> request;
        const char* message;
    } cases[] = {
        {"wrong password", [](AtomServer::Faults&) {}, "guess",
         [](auto& c) { return c.fetchCalendarList(); },
         "did not accept the user name and password"},
        {"a redirect loop", [](AtomServer::Faults& f) { f.redirectLoop = true; }, "secret",
         [](auto& c) { return c.fetchCalendarList(); }, "redirect"},
        {"50 MB", [](AtomServer::Faults& f) { f.calendarListBytes = 50 << 20; }, "secret",
         [](auto& c) { return c.fetchCalendarList(); }, "larger than 4 MB"},
        {"an insert fails", [](AtomServer::Faults& f) { f.failEventInsert = 1; }, "secret",
         [&](auto& c) { return c.insertEvent(calendar, event); }, "error 500"},
        {"no event feed", [](AtomServer::Faults& f) { f.failEventFeed = 503; }, "secret",
         [&](auto& c) { return c.fetchEvents(calendar, 1000); }, "error 503"},
        {"an external entity",
         [](AtomServer::Faults& f) {
             f.eventFeedBody = "<!DOCTYPE feed [<!ENTITY e SYSTEM 'http://127.0.0.1:9/'>]>"
                               "<feed xmlns='http://www.w3.org/2005/Atom'>&e;</feed>";
         },
         "secret", [&](auto& c) { return c.fetchEvents(calendar, 1000); }, "declares entities"},
        {"no calendar", [](AtomServer::Faults& f) { f.refuseNewCalendars = true; }, "secret",
         [](auto& c) { return c.insertCalendar("Florelle"); }, "error 500"},
    };
    for (auto& row : cases) {
        AtomServer::Faults faults;
        row.fault(faults);
        server_.setFaults(faults);
        auto atom = client(server_.url(), row.password);
        std::string failure = outcome(row.request(atom));
        EXPECT_NE(failure.find(row.message), std::string::npos) << row.name << ": " << failure;
    }
    EXPECT_EQ(server_.events("Florelle").size(), 0u);
}

TEST_F(AtomCalendarClientTest, APasswordGoesOnlyOverHttpsOrToThisMachine) {
    for (const char* address : {"http://calendar.example.org", "ftp://127.0.0.1",
                                "http://127.0.0.1.example.org", "calendar.example.org"}) {
        auto atom = client(address);
        EXPECT_NE(outcome(atom.fetchCalendarList(), 0.1).find("not an https address"),
                  std::string::npos)
            << address;
    }
    for (const char* address : {"https://calendar.example.org/x", "http://127.0.0.1:8080/",
                                "http://localhost/", "HTTP://[::1]:80/"}) {
        EXPECT_TRUE(isSafeCalendarAddress(address)) << address;
    }
}

TEST_F(AtomCalendarClientTest, AServerThatDoesNotAnswerTimesOut) {
    AtomServer::Faults faults;
    faults.silent = true;
    server_.setFaults(faults);
    auto atom = client(server_.url());
    EXPECT_EQ(outcome(atom.fetchCalendarList(), 0.3),
              "The calendar server did not answer within 0.3 seconds.");
}

} // namespace
} // namespace florelle
