// SPDX-License-Identifier: GPL-3.0-or-later
// What a frame of the screen costs and how soon the application shows its
// first one: a screen of 150 views (tiles with labels and pictures) drawn at
// scale 2, a headless launch up to its first frame in this process, the
// application binary from its start to its first frame of the main screen
// (and to that screen written out), and the processor share of the main
// screen left alone in a window and the memory it holds.
#include "Require.h"
#include "foundation/Paths.h"
#include "graphics/BitmapContext.h"
#include "host/HeadlessHost.h"
#include "host/PrivateXServer.h"
#include "storage/DatabaseController.h"
#include "support/ApplicationProcess.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace florelle;

namespace {

Image tilePicture() {
    Image picture = Image::named("Cal.bundle/cal_tile.png");
    if (!picture.isEmpty()) {
        return picture;
    }
    BitmapContext bitmap({40, 40}, 2);
    bitmap.setFillColor(Color(0.8, 0.3, 0.4));
    bitmap.fillEllipse(Rect(0, 0, 40, 40));
    return bitmap.image();
}

// 50 tiles of 64 × 46 points, each a coloured view holding a picture (the
// calendar's tile, stretched a little) and a label.
void buildTiles(View& screen) {
    Image picture = tilePicture();
    for (int index = 0; index < 50; ++index) {
        auto tile = std::make_shared<View>(Rect((index % 5) * 64, 20 + (index / 5) * 46, 64, 46));
        tile->setBackgroundColor(index % 2 ? Color::white(0.95) : Color(0.99, 0.9, 0.92));
        auto image = std::make_shared<ImageView>(Rect(2, 1, 60, 44));
        image->setImage(picture);
        tile->addSubview(image);
        auto label = std::make_shared<Label>(Rect(2, 16, 60, 14));
        label->setText("Day " + std::to_string(index + 1));
        label->setFont(Font::systemFont(11));
        label->setTextAlignment(TextAlignment::Center);
        tile->addSubview(label);
        screen.addSubview(tile);
    }
}

class TilesDelegate : public ApplicationDelegate {
public:
    bool didFinishLaunching(Application&, const LaunchOptions&) override {
        window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
        window_->setBackgroundColor(Color::white());
        buildTiles(*window_);
        window_->makeKeyAndVisible();
        return true;
    }

private:
    std::shared_ptr<Window> window_;
};

void BM_DrawScreenOf150ViewsAtScale2(benchmark::State& state) {
    auto window = std::make_shared<Window>(Rect(0, 0, 320, 480));
    buildTiles(*window);
    BitmapContext bitmap({320, 480}, 2);
    for (auto _ : state) {
        ViewRenderer::render(*window, bitmap);
    }
}
BENCHMARK(BM_DrawScreenOf150ViewsAtScale2)->Unit(benchmark::kMillisecond);

void BM_HeadlessLaunchToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        auto delegate = std::make_shared<TilesDelegate>();
        HeadlessHost host(delegate, Date(1.8e9));
        host.launch();
        BitmapContext bitmap(HostScreen::size, host.scale());
        host.screen().render(host.application(), bitmap);
        benchmark::DoNotOptimize(bitmap.pixel(0, 0));
    }
}
BENCHMARK(BM_HeadlessLaunchToFirstFrame)->Unit(benchmark::kMillisecond);

#ifdef FLORELLE_APP_BINARY
// A diary past its first-run setup in folders of its own, and the
// environment that points the application at them.
class ProcessDiary {
public:
    ProcessDiary()
        : folder_(std::filesystem::temp_directory_path() /
                  ("florelle-process-bench-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(folder_);
        Paths::setDocumentsDirectory(folder_ / "data" / "florelle");
        Paths::setConfigDirectory(folder_ / "config" / "florelle");
        require(DatabaseController::saveFirstTimeOn(0));
        Paths::setDocumentsDirectory(std::nullopt);
        Paths::setConfigDirectory(std::nullopt);
    }
    ~ProcessDiary() { std::filesystem::remove_all(folder_); }

    const std::filesystem::path& folder() const { return folder_; }

    // This process's environment with the diary's folders (and `extra`).
    std::vector<std::string> environment(const std::vector<std::string>& extra = {},
                                         const std::vector<std::string>& removed = {}) const {
        std::vector<std::string> variables = {"XDG_DATA_HOME=" + (folder_ / "data").string(),
                                              "XDG_CONFIG_HOME=" + (folder_ / "config").string()};
        variables.insert(variables.end(), extra.begin(), extra.end());
        return testing::ApplicationProcess::environmentWith(variables, removed);
    }

private:
    std::filesystem::path folder_;
};

// The processor time of the children waited for so far, in seconds.
double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Times whole runs of the application with the arguments, one an iteration,
// and counts the processor time a run takes (cpu_ms), which a busy machine
// does not stretch as it stretches the time on the clock.
void timeRuns(benchmark::State& state, const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment) {
    double before = childrenCpuSeconds();
    for (auto _ : state) {
        testing::ApplicationProcess run(FLORELLE_APP_BINARY, arguments, environment);
        if (!run.started()) {
            state.SkipWithError("cannot start the application");
            break;
        }
        run.wait();
    }
    if (state.iterations() > 0) {
        state.counters["cpu_ms"] =
            (childrenCpuSeconds() - before) * 1000 / static_cast<double>(state.iterations());
    }
}

// The whole process on the main screen: start, launch, the first frame of
// the main screen, exit (`frames` presents a frame and says so).
void BM_AppProcessToFirstFrame(benchmark::State& state) {
    ProcessDiary diary;
    auto script = diary.folder() / "first-frame.txt";
    std::ofstream(script) << "frames\n";
    timeRuns(state, {"--headless", "--script", script.string()}, diary.environment());
}
BENCHMARK(BM_AppProcessToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same up to the first screen written out as PNG.
void BM_AppProcessToFirstScreenshot(benchmark::State& state) {
    ProcessDiary diary;
    auto shot = diary.folder() / "first.png";
    timeRuns(state, {"--headless", "--screenshot", shot.string()}, diary.environment());
}
BENCHMARK(BM_AppProcessToFirstScreenshot)->Unit(benchmark::kMillisecond)->UseRealTime();

// Starts the main screen in a real window on a private X server at scale 2
// once an iteration, leaves it alone for 3 seconds, then has it measured.
void measureIdleWindow(benchmark::State& state,
                       const std::function<void(testing::ApplicationProcess&)>& measure) {
    testing::PrivateXServer server;
    if (server.display().empty()) {
        state.SkipWithError("Xvfb cannot start");
        return;
    }
    ProcessDiary diary;
    auto environment = diary.environment({"DISPLAY=" + server.display()}, {"WAYLAND_DISPLAY"});
    for (auto _ : state) {
        testing::ApplicationProcess window(FLORELLE_APP_BINARY, {"--scale", "2"}, environment);
        if (!window.started()) {
            state.SkipWithError("cannot start the application");
            break;
        }
        std::this_thread::sleep_for(std::chrono::seconds(3));
        measure(window);
    }
}

// The share of one processor core the idle main screen uses over 10 seconds.
void BM_IdleMainScreenInAWindow(benchmark::State& state) {
    measureIdleWindow(state, [&](testing::ApplicationProcess& window) {
        double before = window.cpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        double after = window.cpuSeconds();
        state.counters["core_percent"] = (after - before) / 10 * 100;
    });
}
BENCHMARK(BM_IdleMainScreenInAWindow)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The memory the idle main screen's process holds resident (resident_MB, MiB).
void BM_MainScreenWindowResidentMemory(benchmark::State& state) {
    measureIdleWindow(state, [&](testing::ApplicationProcess& window) {
        state.counters["resident_MB"] = window.residentMegabytes();
    });
}
BENCHMARK(BM_MainScreenWindowResidentMemory)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
#endif

} // namespace
