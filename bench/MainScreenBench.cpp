// SPDX-License-Identifier: GPL-3.0-or-later
// What a frame of the main screen costs on a phone's portrait screen and on
// the desktop window (640 × 960 pixels, scale 2): while the cloud drifts,
// while a petal opens (the petal growing to 900 points, the flower fading,
// the panel coming in) and while the calendar page slides to the next
// month.
// Each frame moves the clock by 1/60 s and presents what changed into the
// host's kept frame, as the window does.
#include "Require.h"
#include "calendar/CalGridView.h"
#include "calendar/CalHeaderView.h"
#include "calendar/CalView.h"
#include "calendar/CalViewController.h"
#include "foundation/Paths.h"
#include "host/HeadlessHost.h"
#include "screens/CalendarGlobalController.h"
#include "screens/FlorelleAppDelegate.h"
#include "screens/MainViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Button.h"
#include "ui/Window.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

using namespace florelle;

namespace {

constexpr double frame = 1.0 / 60;

// A diary of its own in a temporary folder, past its first-run setup, for
// the life of a benchmark.
class BenchDiary {
public:
    BenchDiary() : folder_(std::filesystem::temp_directory_path() / "florelle-main-screen-bench") {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        Paths::setDocumentsDirectory(folder_);
        Paths::setConfigDirectory(folder_);
        require(DatabaseController::saveFirstTimeOn(0));
    }
    ~BenchDiary() {
        Paths::setDocumentsDirectory(std::nullopt);
        Paths::setConfigDirectory(std::nullopt);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path folder_;
};

// The main screen on a screen of width × height pixels (the benchmark's
// arguments), its first frame presented.
class MainScreen {
public:
    explicit MainScreen(const benchmark::State& state)
        : delegate_(std::make_shared<FlorelleAppDelegate>()),
          host_(delegate_, Date(1772366400), 2) {
        host_.setPixelSize(
            Size{static_cast<double>(state.range(0)), static_cast<double>(state.range(1))});
        host_.launch();
        host_.present();
    }

    HeadlessHost& host() { return host_; }
    MainViewController& main() { return *delegate_->mainViewController(); }

    // One frame: the clock a frame on, what changed laid down.
    void nextFrame() {
        host_.advance(frame);
        benchmark::DoNotOptimize(host_.present());
    }

private:
    BenchDiary diary_;
    std::shared_ptr<FlorelleAppDelegate> delegate_;
    HeadlessHost host_;
};

void screenSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Args({640, 960})->Args({720, 1440})->Args({1080, 2340});
    benchmark->Unit(benchmark::kMillisecond);
}

void BM_MainScreenFrameWhileTheCloudDrifts(benchmark::State& state) {
    MainScreen screen(state);
    for (auto _ : state) {
        screen.nextFrame();
    }
}
BENCHMARK(BM_MainScreenFrameWhileTheCloudDrifts)->Apply(screenSizes);

// Frames while a petal opens: the petal opens again every 40 frames.
void BM_MainScreenFrameWhileAPetalOpens(benchmark::State& state) {
    MainScreen screen(state);
    int frames = 0;
    for (auto _ : state) {
        if (frames % 40 == 0) {
            state.PauseTiming();
            screen.main().newDown();
            screen.host().advance(0.5);
            screen.host().present();
            screen.main().petalOpen(MainPageKind::calendar);
            state.ResumeTiming();
        }
        ++frames;
        screen.nextFrame();
    }
}
BENCHMARK(BM_MainScreenFrameWhileAPetalOpens)->Apply(screenSizes);

// Frames while the calendar page slides to the next month: the arrow is
// tapped again as each slide ends.
void BM_CalendarPageFrameWhileTheMonthSlides(benchmark::State& state) {
    MainScreen screen(state);
    screen.main().petalOpen(MainPageKind::calendar);
    screen.host().advance(2);
    screen.host().present();
    auto& page =
        dynamic_cast<CalendarGlobalController&>(screen.main().page(MainPageKind::calendar));
    const Button& arrow = *page.calViewController().view()->headerView()->rightArrow();
    Point tapped = arrow.convertPointToWindow({arrow.bounds().midX(), arrow.bounds().midY()});
    int slideFrames = static_cast<int>(CalGridView::slideDuration / frame) + 2;
    int frames = 0;
    for (auto _ : state) {
        if (frames % slideFrames == 0) {
            state.PauseTiming();
            screen.host().tap(tapped);
            state.ResumeTiming();
        }
        ++frames;
        screen.nextFrame();
    }
}
BENCHMARK(BM_CalendarPageFrameWhileTheMonthSlides)->Apply(screenSizes);

} // namespace
