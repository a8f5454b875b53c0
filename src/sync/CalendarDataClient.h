// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace florelle {

// A document from the calendar server that cannot be used; the message
// says why in one English sentence.
struct CalendarDocumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One calendar of the account: its title and where its events are listed.
struct CalendarEntry {
    std::string title;
    std::string eventFeedUrl;
};

struct EventTime {
    Date start;
    Date end;
};

// One event of a calendar. Only what the sync reads and writes.
struct CalendarEvent {
    std::string title;
    // The first time is the event's own; others are kept as found.
    std::vector<EventTime> times;
    // When it was last changed on the server.
    Date edited;
    // Where the event is changed or deleted; empty for one not yet inserted.
    std::string editUrl;
    // The server's version of the event as it was read, where it gives one:
    // a change or deletion applies only to that version.
    std::string etag;
    // The event's lasting identity on servers that name events by one.
    std::string uid;
};

// What a finished request brought back; which part depends on the request.
struct CalendarReply {
    std::vector<CalendarEntry> calendars;
    std::vector<CalendarEvent> events;
};

// One request to the calendar server, to wait on. It ends once: with a reply
// or with a failure in one English sentence. Dropping the last reference to
// an unfinished ticket cancels the request.
class CalendarTicket {
public:
    bool isFinished() const { return finished_; }
    bool succeeded() const { return finished_ && !failure_; }
    const std::optional<std::string>& failure() const { return failure_; }
    const CalendarReply& reply() const { return reply_; }

    void finish(CalendarReply reply);
    void fail(std::string reason);
    // Runs once the ticket has ended; at once when it has.
    void whenFinished(std::function<void()> action);
    // What carries the request while it runs (a transfer); dropped when it ends.
    void keepWhileRunning(std::shared_ptr<void> transfer) { transfer_ = std::move(transfer); }

private:
    bool finished_ = false;
    std::optional<std::string> failure_;
    CalendarReply reply_;
    std::shared_ptr<void> transfer_;
    std::function<void()> whenFinished_;

    void ended();
};
using Ticket = std::shared_ptr<CalendarTicket>;

// The calendar service as the sync needs it: the account's calendars, a new
// calendar, a calendar's events, and inserting, changing and deleting one
// event. One client serves one account; requests run on the current
// thread's run loop.
class CalendarDataClient {
public:
    virtual ~CalendarDataClient() = default;

    virtual Ticket fetchCalendarList() = 0;
    // The reply's calendars hold the new calendar.
    virtual Ticket insertCalendar(const std::string& title) = 0;
    virtual Ticket fetchEvents(const CalendarEntry& calendar, int maximumResults) = 0;
    virtual Ticket insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) = 0;
    virtual Ticket updateEvent(const CalendarEvent& event) = 0;
    virtual Ticket deleteEvent(const CalendarEvent& event) = 0;

    // Serves the run loop until the request ends, `timeout` seconds have
    // passed or `cancelled` says so; whether it succeeded. A request that
    // did not end in time is cancelled and fails.
    static bool waitForTicket(const Ticket& ticket, double timeout,
                              const std::function<bool()>& cancelled = {});
};

} // namespace florelle
