// How long one settings read and one wrapped write through DatabaseController
// take on this machine, with the database in a temporary folder.
#include "foundation/Paths.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

using namespace florelle;

namespace {

class TemporaryDiary {
public:
    TemporaryDiary()
        : folder_(std::filesystem::temp_directory_path() /
                  ("florelle-bench-" + std::to_string(getpid()))) {
        Paths::setDocumentsDirectory(folder_);
        SQLiteAccess::pathToDB();
    }
    ~TemporaryDiary() {
        Paths::setDocumentsDirectory(std::nullopt);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path folder_;
};

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
        DatabaseController::saveCycleLength(length++ % 40 + 1);
    }
}
BENCHMARK(BM_WrappedWrite)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace
