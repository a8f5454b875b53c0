// What a frame of the screen costs and how soon the application shows its
// first one: a screen of 150 views (tiles with labels and pictures) drawn at
// scale 2, a headless launch up to its first frame in this process, and the
// application binary from its start to its first screen written out.
#include "graphics/BitmapContext.h"
#include "host/HeadlessHost.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

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
// The whole process: start, launch, draw the first screen, write it as PNG, exit.
void BM_AppProcessToFirstScreenshot(benchmark::State& state) {
    auto shot = std::filesystem::temp_directory_path() / "florelle-bench-first.png";
    std::string path = shot.string();
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        const char* arguments[] = {FLORELLE_APP_BINARY, "--headless", "--screenshot", path.c_str(),
                                   nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, FLORELLE_APP_BINARY, &quiet, nullptr,
                        const_cast<char* const*>(arguments), environ) != 0) {
            state.SkipWithError("cannot start the application");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    posix_spawn_file_actions_destroy(&quiet);
    std::filesystem::remove(shot);
}
BENCHMARK(BM_AppProcessToFirstScreenshot)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

} // namespace
