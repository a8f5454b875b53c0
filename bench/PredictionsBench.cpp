// SPDX-License-Identifier: GPL-3.0-or-later
#include "Require.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/TimeZone.h"
#include "storage/DatabaseController.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace florelle;

namespace {

// A diary with twelve logged periods in a zone with daylight saving, today
// in the middle of the latest cycle.
class Diary {
public:
    Diary() {
        folder_ =
            std::filesystem::temp_directory_path() / ("florelle-bench-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder_);
        Paths::setDocumentsDirectory(folder_);
        TimeZone::setCurrent("Europe/Berlin");
        Log::setSink([](std::string_view) {});
        Calendar calendar = Calendar::current();
        Date start = calendar.dateFromComponents({2025, 4, 3});
        for (int i = 0; i < 12; ++i) {
            Date first = calendar.addingDays(start, i * 28);
            require(DatabaseController::saveLog(first, calendar.addingDays(first, 4)));
        }
        Date latest = calendar.addingDays(start, 11 * 28);
        Clock::setCurrent(std::make_shared<ManualClock>(calendar.addingDays(latest, 10)));
        from_ = calendar.addingDays(latest, -3);
        to_ = calendar.addingDays(from_, 41);
    }
    ~Diary() { std::filesystem::remove_all(folder_); }

    Date from() const { return from_; }
    Date to() const { return to_; }

private:
    std::filesystem::path folder_;
    Date from_;
    Date to_;
};

const Diary& diary() {
    static Diary instance;
    return instance;
}

// From three days before the latest start, over as many days as the
// argument: 5 spans that one period, 41 a month page.
void periodSpan(benchmark::State& state) {
    const auto& d = diary();
    Date to = Calendar::current().addingDays(d.from(), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DatabaseController::getPeriodDatesFrom(d.from(), to, Clock::current()->now()));
    }
}

void fertileSpan(benchmark::State& state) {
    const auto& d = diary();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DatabaseController::getFertileDatesFrom(d.from(), d.to(), Clock::current()->now()));
    }
}

void irregularFertileSpan(benchmark::State& state) {
    const auto& d = diary();
    require(DatabaseController::saveCycleLength(35));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DatabaseController::getFertileDatesFrom(d.from(), d.to(), Clock::current()->now()));
    }
    require(DatabaseController::saveCycleLength(28));
}

void ovulationSpan(benchmark::State& state) {
    const auto& d = diary();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DatabaseController::getOvulationDatesFrom(d.from(), d.to(), Clock::current()->now()));
    }
}

void allPeriodDates(benchmark::State& state) {
    diary();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DatabaseController::getAllPeriodDates(Clock::current()->now()));
    }
}

void allFertileDates(benchmark::State& state) {
    diary();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DatabaseController::getAllFertileDates(Clock::current()->now()));
    }
}

} // namespace

BENCHMARK(periodSpan)->Arg(5)->Arg(41)->Unit(benchmark::kMicrosecond);
BENCHMARK(fertileSpan)->Unit(benchmark::kMicrosecond);
BENCHMARK(irregularFertileSpan)->Unit(benchmark::kMicrosecond);
BENCHMARK(ovulationSpan)->Unit(benchmark::kMicrosecond);
BENCHMARK(allPeriodDates)->Unit(benchmark::kMicrosecond);
BENCHMARK(allFertileDates)->Unit(benchmark::kMicrosecond);
