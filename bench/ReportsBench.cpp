// SPDX-License-Identifier: GPL-3.0-or-later
// How long writing both reports as PDF and as CSV takes for a full year:
// twelve periods and a mood and a symptom on every day of the window.
#include "Require.h"
#include "TemporaryDiary.h"
#include "foundation/Calendar.h"
#include "foundation/TimeZone.h"
#include "reports/ReportExport.h"
#include "storage/DatabaseController.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace florelle;

namespace {

void BM_FullYearReports(benchmark::State& state) {
    TimeZone::setCurrent("UTC");
    TemporaryDiary diary;
    Calendar calendar = Calendar::current();
    Date now = calendar.dateFromComponents({2026, 3, 1, 12, 0, 0, 0});
    Date today = calendar.startOfDay(now);
    for (int cycle = 0; cycle < 12; ++cycle) {
        Date start = calendar.addingDays(today, -28 * cycle - 2);
        require(DatabaseController::saveLog(start, calendar.addingDays(start, 4)));
    }
    for (int back = 0; back < ReportWindow::defaultMonths * ReportWindow::daysPerMonth; ++back) {
        auto day = DatabaseController::openDay(calendar.addingDays(today, -back));
        require(StoreStatus::of(day));
        require(DatabaseController::saveUsedMood(1 + back % 18, *day));
        require(DatabaseController::saveUsedSymptom(1 + back % 48, *day));
    }
    auto window = ReportWindow::lastMonths(ReportWindow::defaultMonths, now, calendar);
    for (auto _ : state) {
        auto written = ReportExport::write(diary.folder(), {ReportFormat::pdf, ReportFormat::csv},
                                           window, calendar);
        if (!written.ok()) {
            throw std::runtime_error("the reports were not written");
        }
    }
    TimeZone::setCurrent(std::nullopt);
}
BENCHMARK(BM_FullYearReports)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
