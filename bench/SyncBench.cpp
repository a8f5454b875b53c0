// SPDX-License-Identifier: GPL-3.0-or-later
// How long a calendar sync of a diary with twelve logged cycles and their
// notes takes against a calendar server on this machine, the tests' Atom
// server and a real CalDAV server (Radicale): the first sync, which creates
// the calendar and inserts every event, and the next, which finds the period
// and fertile events again and writes the notes anew.
#include "Require.h"
#include "TemporaryDiary.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"
#include "support/AtomServer.h"
#include "support/RadicaleServer.h"
#include "sync/SyncAccount.h"

#include <benchmark/benchmark.h>

using namespace florelle;
using florelle::testing::AtomServer;
using florelle::testing::RadicaleServer;

namespace {

// Twelve periods of five days, 28 days apart, ending before today, and a
// note on every other day of them.
void fillDiary(const Calendar& calendar, Date now) {
    Date today = calendar.startOfDay(now);
    for (int cycle = 12; cycle >= 1; --cycle) {
        Date start = calendar.addingDays(today, -28 * cycle);
        require(DatabaseController::saveLog(start, calendar.addingDays(start, 4)));
    }
    for (int day = 1; day <= 28 * 12; day += 2) {
        auto dateId = DatabaseController::openDay(calendar.addingDays(today, -day));
        require(StoreStatus::of(dateId));
        require(DatabaseController::saveNote("Note of day " + std::to_string(day), *dateId, now));
    }
}

SyncOutcome syncOnce(const std::string& server, const std::string& user, const Calendar& calendar,
                     Date now) {
    return calendarSync({server, user, "secret"}, calendar, now).syncWithUser();
}

void BM_CalendarSync(benchmark::State& state) {
    TemporaryDiary diary;
    Calendar calendar = Calendar::current();
    Date now = Clock::current()->now();
    fillDiary(calendar, now);
    bool second = state.range(0) == 1;
    std::size_t events = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto server = std::make_unique<AtomServer>("anna", "secret");
        if (second) {
            syncOnce(server->url(), "anna", calendar, now);
        }
        state.ResumeTiming();
        SyncOutcome outcome = syncOnce(server->url(), "anna", calendar, now);
        if (outcome.result != SyncOutcome::Result::synced) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        events = server->events("Florelle").size();
        state.PauseTiming();
        server.reset();
        state.ResumeTiming();
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_CalendarSync)
    ->ArgName("again")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The same against Radicale, each round as a new user of one server.
void BM_CalDavSync(benchmark::State& state) {
    RadicaleServer server;
    if (!server.isReady()) {
        state.SkipWithError("Radicale is not installed or did not start");
        return;
    }
    TemporaryDiary diary;
    Calendar calendar = Calendar::current();
    Date now = Clock::current()->now();
    fillDiary(calendar, now);
    bool second = state.range(0) == 1;
    SyncOutcome last;
    int round = 0;
    double serverSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string user = "user" + std::to_string(++round);
        server.addUser(user, "secret");
        if (second) {
            syncOnce(server.url(), user, calendar, now);
        }
        double serverBefore = server.processorSeconds();
        state.ResumeTiming();
        SyncOutcome outcome = syncOnce(server.url(), user, calendar, now);
        state.PauseTiming();
        serverSeconds += server.processorSeconds() - serverBefore;
        state.ResumeTiming();
        if (outcome.result != SyncOutcome::Result::synced) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        last = outcome;
    }
    state.counters["inserted"] = last.inserted;
    state.counters["deleted"] = last.deleted;
    // On a busy machine the time is mostly the server waiting for a processor.
    state.counters["server_cpu_s"] = serverSeconds / static_cast<double>(round);
}
BENCHMARK(BM_CalDavSync)
    ->ArgName("again")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

} // namespace
