// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomCalendarClient.h"
#include "CalDavCalendarClient.h"

#include <functional>
#include <memory>

namespace florelle {

// The client for the account's server, whichever protocol it speaks: CalDAV
// where discovery finds a CalDAV server at the address, else the Atom
// calendar protocol. The first request of a sync finds out; the clients of
// one sync share what was found.
class CalendarServerClient : public CalendarDataClient {
public:
    CalendarServerClient(const CalendarAccount& account, const Calendar& calendar,
                         std::shared_ptr<CalDavDiscovery> discovery);

    Ticket fetchCalendarList() override;
    Ticket insertCalendar(const std::string& title) override;
    Ticket fetchEvents(const CalendarEntry& calendar, int maximumResults) override;
    Ticket insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) override;
    Ticket updateEvent(const CalendarEvent& event) override;
    Ticket deleteEvent(const CalendarEvent& event) override;

private:
    using Operation = std::function<Ticket(CalendarDataClient&)>;
    // Runs the operation on the server's protocol, once that is known.
    Ticket chosen(Operation operation);

    std::shared_ptr<CalDavCalendarClient> calDav_;
    std::shared_ptr<AtomCalendarClient> atom_;
    std::shared_ptr<CalDavDiscovery> discovery_;
};

} // namespace florelle
