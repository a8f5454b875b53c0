// What a frame of the main screen costs at scale 2: while the cloud drifts,
// and while a petal opens (the petal growing to 900 points, the flower
// fading, the panel coming in). Each frame moves the clock by 1/60 s and
// draws the whole screen.
#include "foundation/Paths.h"
#include "host/HeadlessHost.h"
#include "screens/FlorelleAppDelegate.h"
#include "screens/MainViewController.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

using namespace florelle;

namespace {

constexpr double frame = 1.0 / 60;

// A diary of its own in a temporary folder, for the life of a benchmark.
class BenchDiary {
public:
    BenchDiary() : folder_(std::filesystem::temp_directory_path() / "florelle-main-screen-bench") {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        Paths::setDocumentsDirectory(folder_);
        Paths::setConfigDirectory(folder_);
    }
    ~BenchDiary() {
        Paths::setDocumentsDirectory(std::nullopt);
        Paths::setConfigDirectory(std::nullopt);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path folder_;
};

void BM_MainScreenFrameWhileTheCloudDrifts(benchmark::State& state) {
    BenchDiary diary;
    auto delegate = std::make_shared<FlorelleAppDelegate>();
    HeadlessHost host(delegate, Date(1772366400), 2);
    host.launch();
    for (auto _ : state) {
        host.advance(frame);
        benchmark::DoNotOptimize(host.render());
    }
}
BENCHMARK(BM_MainScreenFrameWhileTheCloudDrifts)->Unit(benchmark::kMillisecond);

// The same on a phone's portrait screen: width and height in pixels, the
// screen fitted in as the window shows it.
void BM_MainScreenFrameOnAPhone(benchmark::State& state) {
    BenchDiary diary;
    auto delegate = std::make_shared<FlorelleAppDelegate>();
    HeadlessHost host(delegate, Date(1772366400), 2);
    host.setPixelSize(
        Size{static_cast<double>(state.range(0)), static_cast<double>(state.range(1))});
    host.launch();
    for (auto _ : state) {
        host.advance(frame);
        benchmark::DoNotOptimize(host.render());
    }
}
BENCHMARK(BM_MainScreenFrameOnAPhone)
    ->Args({720, 1440})
    ->Args({1080, 2340})
    ->Unit(benchmark::kMillisecond);

void BM_MainScreenFrameWhileAPetalOpens(benchmark::State& state) {
    BenchDiary diary;
    auto delegate = std::make_shared<FlorelleAppDelegate>();
    HeadlessHost host(delegate, Date(1772366400), 2);
    host.launch();
    MainViewController& main = *delegate->mainViewController();
    int frames = 0;
    for (auto _ : state) {
        if (frames % 40 == 0) {
            state.PauseTiming();
            main.newDown();
            host.advance(0.5);
            main.petalOpen(MainPageKind::calendar);
            state.ResumeTiming();
        }
        ++frames;
        host.advance(frame);
        benchmark::DoNotOptimize(host.render());
    }
}
BENCHMARK(BM_MainScreenFrameWhileAPetalOpens)->Unit(benchmark::kMillisecond);

} // namespace
