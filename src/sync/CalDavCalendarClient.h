// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarDataClient.h"
#include "CalendarRequest.h"
#include "ICalendarEvent.h"

#include <memory>
#include <optional>
#include <string>

namespace florelle {

// What discovery learnt of the server; the clients of one sync share it, so
// the server is asked once.
struct CalDavDiscovery {
    // Unknown until a discovery has ended with an answer either way.
    std::optional<bool> speaksCalDav;
    std::string calendarHome;
};

// The calendar data client for CalDAV servers. The account's calendars are
// found from the server address: the address as given, else the server's
// "/.well-known/caldav", names the user's principal, which names the
// calendar home. Calendars are collections there, made with MKCALENDAR;
// events are iCalendar objects listed with a calendar-query REPORT, each
// with its ETag, and written with PUT (If-None-Match: * when new, If-Match
// with the ETag read when changed) and deleted with If-Match. The same
// safety as every calendar request: https only (loopback exempt), TLS
// verified, bounded time, size and redirects, XML without entities.
class CalDavCalendarClient : public CalendarDataClient {
public:
    CalDavCalendarClient(CalendarAccount account, Calendar calendar,
                         std::shared_ptr<CalDavDiscovery> discovery);

    // Finds the calendar home, unless it is known. A server that answers
    // neither address as a CalDAV server fails it and is marked as such.
    Ticket discover();

    Ticket fetchCalendarList() override;
    Ticket insertCalendar(const std::string& title) override;
    Ticket fetchEvents(const CalendarEntry& calendar, int maximumResults) override;
    Ticket insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) override;
    Ticket updateEvent(const CalendarEvent& event) override;
    Ticket deleteEvent(const CalendarEvent& event) override;

private:
    struct Shared;
    using Step = std::function<void(const Ticket&)>;

    // Runs `next` once the calendar home is known.
    static void withHome(const std::shared_ptr<const Shared>& shared, const Ticket& ticket,
                         Step next);
    static void findPrincipal(const std::shared_ptr<const Shared>& shared, const Ticket& ticket,
                              std::size_t candidate, Step next);
    static void findHome(const std::shared_ptr<const Shared>& shared, const Ticket& ticket,
                         const std::string& principal, Step next);
    Ticket writeEvent(const std::string& url, CalendarEvent event, const std::string& condition);

    std::shared_ptr<const Shared> shared_;
};

} // namespace florelle
