// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarDataClient.h"
#include "foundation/Calendar.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

// The texts the events carry, already looked up in the user's language.
struct SyncTitles {
    std::string period;
    std::string fertile;
};

struct SyncLimits {
    // Seconds each request may take; creating the calendar may take longer.
    double requestTimeout = 20;
    double creationTimeout = 360;
    // Only so many of the calendar's events take part in a sync.
    int maximumEvents = 1000;
};

// What one sync did, for the form's message and the command line.
struct SyncOutcome {
    enum class Result {
        synced,
        // Done, but `failedRequests` inserts, updates or deletes failed.
        someNotCopied,
        // Stopped: the account, the server or the diary failed (`reason`).
        failed,
        cancelled,
    };
    Result result = Result::failed;
    // One English sentence, for the log and the command line.
    std::string reason;
    int inserted = 0;
    int updated = 0;
    int deleted = 0;
    int imported = 0;
    int failedRequests = 0;
    bool calendarCreated = false;
};

// Copies the diary into the account's calendar named "Florelle": one event
// per period day and per fertile day, found again on the next sync by the
// seconds of their start (10 for a period day, 20 for a fertile day), and one
// per note, written anew each time. Events of a day that changed kind are
// turned into the new kind; every other event of the calendar is deleted.
// A day's note edited in the calendar after its last edit in the diary comes
// back into the diary when that day is a period or fertile day.
//
// Requests are sent one after another and each is awaited on the run loop,
// so the window keeps drawing. The calendar is created when the account has
// none; a second round that still finds none ends in failure.
class CalendarSync {
public:
    // Makes a client for the account, one for each round of the sync.
    using ClientFactory = std::function<std::unique_ptr<CalendarDataClient>()>;

    CalendarSync(std::string user, ClientFactory clients, SyncTitles titles, Calendar calendar,
                 Date now, SyncLimits limits = {});

    // Checked while waiting; the sync stops soon after it says so.
    std::function<bool()> cancelled;

    // The whole sync. On success (also a partial one) and after creating the
    // calendar, the user name is stored; the password never is.
    SyncOutcome syncWithUser();

private:
    struct Run;

    // std::nullopt when the account has no calendar of that title.
    std::optional<SyncOutcome> makeSync();
    // Why the calendar could not be created, or nothing.
    std::optional<SyncOutcome> makeCalendar();
    bool wait(const Ticket& ticket, double timeout) const;
    SyncOutcome stopped(std::string reason) const;

    std::string user_;
    ClientFactory clients_;
    SyncTitles titles_;
    Calendar calendar_;
    Date now_;
    SyncLimits limits_;
};

} // namespace florelle
