// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LoopbackServer.h"

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace florelle::testing {

// A calendar server on 127.0.0.1 for tests, on a thread of its own, that
// speaks the Atom calendar protocol the sync uses: the account's calendars,
// new calendars, each calendar's event feed (with max-results) and
// inserting, replacing and deleting events, all behind one user name and
// password (Basic). Paths under "/moved" answer with a redirect to the same
// path without it. Faults make it misbehave the ways a real server can.
class AtomServer {
public:
    struct Event {
        std::string title;
        // As the client sent them, with its zone's offset.
        std::vector<std::pair<std::string, std::string>> times;
        // Seconds since 1970 of the last change.
        long long edited = 0;
        int id = 0;
    };
    struct Faults {
        bool silent = false;       // accepts and never answers
        bool redirectLoop = false; // every request is sent to itself again
        bool refuseNewCalendars = false;
        bool loseNewCalendars = false;     // accepts new calendars but keeps none
        int failEventInsert = 0;           // the n-th event insert (from 1) fails with 500
        int failEventFeed = 0;             // event feeds answer this status instead
        std::string eventFeedBody;         // event feeds answer this document instead
        std::size_t calendarListBytes = 0; // the calendar list padded to this size
    };

    AtomServer(std::string user, std::string password);
    AtomServer(const AtomServer&) = delete;
    AtomServer& operator=(const AtomServer&) = delete;

    // The server's root, to be given to the client.
    std::string url(const std::string& path = "") const;

    void setFaults(Faults faults);
    // What the server stamps as the edit time of the changes it takes.
    void setEditTime(long long seconds);

    void addCalendar(const std::string& title);
    int calendarCount(const std::string& title) const;
    std::vector<Event> events(const std::string& calendar) const;
    void addEvent(const std::string& calendar, Event event);
    // A change made by the calendar's owner elsewhere: a new title, edited now.
    void retitleEvent(const std::string& calendar, int id, const std::string& title);

private:
    struct Calendar {
        std::string title;
        std::vector<Event> events;
    };
    struct Reply {
        Reply(int status, std::string body = {}, std::string location = {})
            : status(status), body(std::move(body)), location(std::move(location)) {}
        int status;
        std::string body;
        std::string location;
    };

    std::optional<LoopbackServer::Answer> answer(const LoopbackServer::Request& request);
    Reply handle(const std::string& method, std::string path, const std::string& query,
                 const std::string& authorization, const std::string& body);
    Reply handleCalendar(const std::string& method, std::size_t calendar, const std::string& rest,
                         const std::string& query, const std::string& body);
    std::string calendarEntry(std::size_t index) const;
    std::string eventEntry(std::size_t calendar, const Event& event) const;
    Calendar* calendarNamed(const std::string& title);
    const Calendar* calendarNamed(const std::string& title) const;

    std::string user_;
    std::string password_;
    mutable std::mutex mutex_;
    Faults faults_;
    long long editTime_ = 1'700'000'000;
    std::vector<Calendar> calendars_;
    int nextEventId_ = 1;
    int eventInserts_ = 0;
    // Last: it serves until it is destroyed, first of all members.
    LoopbackServer server_;
};

} // namespace florelle::testing
