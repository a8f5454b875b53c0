// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomFeed.h"
#include "CalendarDataClient.h"
#include "CalendarRequest.h"

#include <string>

namespace florelle {

// The calendar data client for servers that speak the Atom calendar
// protocol (version 2) with user-name/password login. The password is sent
// only over https, or to this machine's own loopback address; TLS peers are
// always verified. Answers larger than a few megabytes, more than five
// redirects and documents that declare entities are refused.
class AtomCalendarClient : public CalendarDataClient {
public:
    AtomCalendarClient(CalendarAccount account, Calendar calendar);

    Ticket fetchCalendarList() override;
    Ticket insertCalendar(const std::string& title) override;
    Ticket fetchEvents(const CalendarEntry& calendar, int maximumResults) override;
    Ticket insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) override;
    Ticket updateEvent(const CalendarEvent& event) override;
    Ticket deleteEvent(const CalendarEvent& event) override;

private:
    Ticket send(const std::string& method, const std::string& url, const std::string& body,
                ReplyReader reader);

    CalendarAccount account_;
    AtomFeed feed_;
};

} // namespace florelle
