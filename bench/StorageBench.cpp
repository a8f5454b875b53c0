// SPDX-License-Identifier: GPL-3.0-or-later
// How long one settings read, one wrapped write through DatabaseController,
// one period logged from start to end and one keystroke in a note take on
// this machine, with the database in a temporary folder.
#include "Require.h"
#include "TemporaryDiary.h"
#include "cycle/DailyLogEntry.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "storage/DatabaseController.h"

#include <benchmark/benchmark.h>

using namespace florelle;

namespace {

void BM_SettingsRead(benchmark::State& state) {
    TemporaryDiary diary;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DatabaseController::getCycleLength());
    }
}
BENCHMARK(BM_SettingsRead)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_WrappedWrite(benchmark::State& state) {
    TemporaryDiary diary;
    int length = 20;
    for (auto _ : state) {
        require(DatabaseController::saveCycleLength(length++ % 40 + 1));
    }
}
BENCHMARK(BM_WrappedWrite)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// A period's start and then its end, as the centre button logs them: each
// save checks the diary and writes the flag and the period in one
// transaction. The period is taken away again between iterations.
void BM_PeriodStartAndEnd(benchmark::State& state) {
    TemporaryDiary diary;
    Calendar calendar = Calendar::current();
    Date today = calendar.dateFromComponents({2026, 3, 10, 12});
    Date start = calendar.addingDays(today, -4);
    for (auto _ : state) {
        bool saved = PeriodEntry::save(PeriodEntry::Mode::start, start, calendar, today).saved() &&
                     PeriodEntry::save(PeriodEntry::Mode::end, today, calendar, today).saved();
        state.PauseTiming();
        if (!saved) {
            state.SkipWithError("the period was not saved");
            break;
        }
        require(DatabaseController::deletePeriodWithStartDate(
            static_cast<long long>(calendar.startOfDay(start).timeIntervalSince1970())));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PeriodStartAndEnd)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// A keystroke in a note as the daily log page saves it, on the day the page
// opened: the note typed so far, stored in its own transaction.
void BM_NoteKeystroke(benchmark::State& state) {
    TemporaryDiary diary;
    Calendar calendar = Calendar::current();
    Date day = calendar.dateFromComponents({2026, 3, 10, 12});
    require(StoreStatus::of(DailyLogEntry::open(day)));
    std::size_t typed = 0;
    for (auto _ : state) {
        std::string note(typed++ % 200 + 1, 'a');
        require(StoreStatus::of(DailyLogEntry::saveNote(day, note, day)));
    }
}
BENCHMARK(BM_NoteKeystroke)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace
