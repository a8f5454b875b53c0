// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarSync.h"

#include "foundation/Log.h"
#include "storage/DatabaseController.h"
#include "storage/Transaction.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

const std::string calendarTitle = "Florelle";

// The seconds of an event's start that say what kind of day it stands for.
constexpr int periodSecond = 10;
constexpr int fertileSecond = 20;
// A note's event lasts this long from the day's stored time.
constexpr int noteLength = 86369;

long long wholeSeconds(Date date) {
    return static_cast<long long>(std::floor(date.timeIntervalSince1970()));
}

// A note found in the calendar, to be weighed against the diary's.
struct NoteImport {
    Date day;
    std::string text;
    long long edited;
};

} // namespace

// One round that found the calendar: the fetched events and what became of them.
struct CalendarSync::Run {
    const CalendarSync& sync;
    CalendarDataClient& client;
    CalendarEntry calendar;
    std::vector<CalendarEvent> events;
    std::vector<bool> keep;
    std::vector<NoteImport> imports;
    SyncOutcome outcome;

    // Sends one change and waits for it; a failure is counted, not fatal.
    bool await(const Ticket& ticket, int& done) {
        if (sync.wait(ticket, sync.limits_.requestTimeout)) {
            ++done;
            return true;
        }
        Log::write("CalendarSync: " + ticket->failure().value_or(""));
        ++outcome.failedRequests;
        return false;
    }
    bool isCancelled() const { return sync.cancelled && sync.cancelled(); }

    // The fetched events that have a time, by the whole second of their
    // start, so that a day finds its own without walking every event.
    std::vector<std::pair<long long, std::size_t>> byStart;

    void indexEvents() {
        for (std::size_t j = 0; j < events.size(); ++j) {
            if (!events[j].times.empty()) {
                byStart.emplace_back(wholeSeconds(events[j].times.front().start), j);
            }
        }
        std::sort(byStart.begin(), byStart.end());
    }

    // Finds the day's events among the fetched ones: its own (kept), the
    // other kind's (turned into this kind) and any other on the same day
    // (read as the day's note). Inserts the day's event when none was found.
    void copyDay(Date day, int second, const std::string& title) {
        DateComponents parts = sync.calendar_.components(day);
        parts.hour = 0;
        parts.minute = 0;
        parts.second = second;
        Date start = sync.calendar_.dateFromComponents(parts);
        EventTime time{start, start.addingSeconds(86400 - 1 - second)};
        long long own = wholeSeconds(start);
        long long other = own + (second == periodSecond ? 10 : -10);
        Date midnight = start.addingSeconds(-second);
        auto first = std::lower_bound(byStart.begin(), byStart.end(),
                                      std::pair(wholeSeconds(midnight), std::size_t(0)));
        auto last = std::lower_bound(
            first, byStart.end(),
            std::pair(wholeSeconds(sync.calendar_.addingDays(midnight, 1)), std::size_t(0)));
        // In the order the server listed them, as the notes are weighed in that order.
        std::vector<std::size_t> sameDay;
        for (auto entry = first; entry != last; ++entry) {
            sameDay.push_back(entry->second);
        }
        std::sort(sameDay.begin(), sameDay.end());
        bool found = false;
        for (std::size_t j : sameDay) {
            if (isCancelled()) {
                break;
            }
            CalendarEvent& event = events[j];
            long long eventStart = wholeSeconds(event.times.front().start);
            if (eventStart == own) {
                keep[j] = true;
            } else if (eventStart == other) {
                CalendarEvent changed = event;
                changed.title = title;
                changed.times = {time};
                await(client.updateEvent(changed), outcome.updated);
                keep[j] = true;
            } else {
                imports.push_back({day, event.title, wholeSeconds(event.edited)});
            }
            found = true;
        }
        if (!found && !isCancelled()) {
            CalendarEvent event;
            event.title = title;
            event.times = {time};
            await(client.insertEvent(calendar, event), outcome.inserted);
        }
    }

    void deleteUnkept() {
        for (std::size_t j = 0; j < events.size() && !isCancelled(); ++j) {
            if (!keep[j]) {
                await(client.deleteEvent(events[j]), outcome.deleted);
            }
        }
    }

    // The calendar's newer notes into the diary, all of them or none.
    std::optional<StoreError> importNotes() {
        auto transaction = Transaction::begin();
        if (!transaction) {
            return transaction.error();
        }
        for (const NoteImport& note : imports) {
            // An untitled event says nothing about the day: it never empties a note.
            if (note.text.empty()) {
                continue;
            }
            auto dateId = DatabaseController::openDay(note.day);
            if (!dateId) {
                return dateId.error();
            }
            auto editTime = DatabaseController::getNoteEditTime(*dateId);
            auto current = DatabaseController::getNoteForDateId(*dateId);
            if (auto failure = firstFailure(editTime, current)) {
                return failure;
            }
            if (*editTime >= note.edited || current->value_or("") == note.text) {
                continue;
            }
            if (auto saved = DatabaseController::saveNote(note.text, *dateId, sync.now_); !saved) {
                return saved.error();
            }
            ++outcome.imported;
        }
        if (auto committed = transaction.value().commit(); !committed) {
            return committed.error();
        }
        return std::nullopt;
    }

    std::optional<StoreError> copyNotes() {
        auto notes = DatabaseController::getNoEmptyNotes();
        if (!notes) {
            return notes.error();
        }
        for (const Row& note : *notes) {
            if (isCancelled()) {
                break;
            }
            auto day =
                DatabaseController::getDateForDateId(static_cast<int>(note.integer("dateId")));
            if (!day) {
                return day.error();
            }
            Date start(static_cast<double>(*day));
            CalendarEvent event;
            event.title = note.text("noteText").value_or("");
            event.times = {{start, start.addingSeconds(noteLength)}};
            await(client.insertEvent(calendar, event), outcome.inserted);
        }
        return std::nullopt;
    }
};

CalendarSync::CalendarSync(std::string user, ClientFactory clients, SyncTitles titles,
                           Calendar calendar, Date now, SyncLimits limits)
    : user_(std::move(user)), clients_(std::move(clients)), titles_(std::move(titles)),
      calendar_(std::move(calendar)), now_(now), limits_(limits) {}

bool CalendarSync::wait(const Ticket& ticket, double timeout) const {
    return CalendarDataClient::waitForTicket(ticket, timeout, cancelled);
}

SyncOutcome CalendarSync::stopped(std::string reason) const {
    SyncOutcome outcome;
    bool wasCancelled = cancelled && cancelled();
    outcome.result = wasCancelled ? SyncOutcome::Result::cancelled : SyncOutcome::Result::failed;
    outcome.reason = wasCancelled ? "The sync was cancelled." : std::move(reason);
    Log::write("CalendarSync: " + outcome.reason);
    return outcome;
}

SyncOutcome CalendarSync::syncWithUser() {
    if (auto outcome = makeSync()) {
        return *outcome;
    }
    if (auto failure = makeCalendar()) {
        return *failure;
    }
    // The calendar just created must be found now; a server that keeps
    // losing it must not keep the sync going for ever.
    std::optional<SyncOutcome> outcome = makeSync();
    if (!outcome) {
        outcome =
            stopped("The calendar \"" + calendarTitle + "\" was created but cannot be found.");
    }
    outcome->calendarCreated = true;
    return *outcome;
}

std::optional<SyncOutcome> CalendarSync::makeCalendar() {
    auto made = clients_()->insertCalendar(calendarTitle);
    if (!wait(made, limits_.creationTimeout)) {
        return stopped(*made->failure());
    }
    auto transaction = Transaction::begin();
    StoreStatus stored = transaction ? DatabaseController::saveGoogleUsername(user_)
                                     : StoreStatus(transaction.error());
    if (stored) {
        stored = DatabaseController::saveFirstTimeSync(0);
    }
    if (stored) {
        stored = transaction.value().commit();
    }
    if (!stored) {
        return stopped(stored.error().message());
    }
    return std::nullopt;
}

std::optional<SyncOutcome> CalendarSync::makeSync() {
    auto client = clients_();
    auto list = client->fetchCalendarList();
    if (!wait(list, limits_.requestTimeout)) {
        return stopped(*list->failure());
    }
    const auto& calendars = list->reply().calendars;
    auto calendar = std::find_if(calendars.begin(), calendars.end(),
                                 [](const auto& entry) { return entry.title == calendarTitle; });
    if (calendar == calendars.end()) {
        return std::nullopt;
    }
    auto fetched = client->fetchEvents(*calendar, limits_.maximumEvents);
    // Without the calendar's events nothing could be matched: every event
    // would be inserted once more. Better to stop and say so.
    if (!wait(fetched, limits_.requestTimeout)) {
        return stopped(*fetched->failure());
    }
    auto periodDays = DatabaseController::getAllPeriodDates(now_);
    auto fertileDays = DatabaseController::getAllFertileDates(now_);
    if (auto failure = firstFailure(periodDays, fertileDays)) {
        return stopped(failure->message());
    }

    Run run{*this, *client, *calendar, fetched->reply().events, {}, {}, {}, {}};
    if (run.events.size() > static_cast<std::size_t>(limits_.maximumEvents)) {
        run.events.resize(limits_.maximumEvents);
    }
    run.keep.assign(run.events.size(), false);
    run.indexEvents();
    for (Date day : *periodDays) {
        run.copyDay(day, periodSecond, titles_.period);
    }
    for (Date day : *fertileDays) {
        run.copyDay(day, fertileSecond, titles_.fertile);
    }
    run.deleteUnkept();
    if (auto failure = run.importNotes()) {
        return stopped(failure->message());
    }
    if (auto failure = run.copyNotes()) {
        return stopped(failure->message());
    }
    if (cancelled && cancelled()) {
        return stopped({});
    }
    if (auto saved = DatabaseController::saveGoogleUsername(user_); !saved) {
        return stopped(saved.error().message());
    }
    SyncOutcome& outcome = run.outcome;
    outcome.result =
        outcome.failedRequests ? SyncOutcome::Result::someNotCopied : SyncOutcome::Result::synced;
    return outcome;
}

} // namespace florelle
