// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomFeed.h"
#include "CalendarDataClient.h"

#include <string>

namespace florelle {

struct HttpRequest;

// Where the calendar server is and whom to log in as.
struct CalendarAccount {
    // The server's root, such as "https://calendar.example.org".
    std::string serverUrl;
    std::string user;
    std::string password;
};

// The calendar data client for servers that speak the Atom calendar
// protocol (version 2) with user-name/password login. The password is sent
// only over https, or to this machine's own loopback address; TLS peers are
// always verified. Answers larger than a few megabytes, more than five
// redirects and documents that declare entities are refused.
class AtomCalendarClient : public CalendarDataClient {
public:
    AtomCalendarClient(CalendarAccount account, Calendar calendar);

    // Whether the password may be sent to this address.
    static bool isSafeAddress(const std::string& url);

    Ticket fetchCalendarList() override;
    Ticket insertCalendar(const std::string& title) override;
    Ticket fetchEvents(const CalendarEntry& calendar, int maximumResults) override;
    Ticket insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) override;
    Ticket updateEvent(const CalendarEvent& event) override;
    Ticket deleteEvent(const CalendarEvent& event) override;

private:
    // How a successful answer becomes the reply.
    using Reader = std::function<CalendarReply(const std::string& body, const std::string& url)>;
    Ticket send(const std::string& method, const std::string& url, const std::string& body,
                Reader reader);

    CalendarAccount account_;
    AtomFeed feed_;
};

} // namespace florelle
