// SPDX-License-Identifier: GPL-3.0-or-later
// What one frame of the user interface costs: reading the shown geometry of a
// screenful of views while many of them animate, finding the view under a
// finger, and one animation-clock tick; and how fast the run loop fires timers.
#include "foundation/Clock.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "ui/Animator.h"
#include "ui/BasicAnimation.h"
#include "ui/View.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

using namespace florelle;

namespace {

// A 320 × 480 screen of 8 rows × 6 columns of panels, each holding 8 tiles.
std::shared_ptr<View> makeScreen() {
    auto root = std::make_shared<View>(Rect(0, 0, 320, 480));
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 6; ++column) {
            auto panel = std::make_shared<View>(Rect(column * 53, row * 60, 53, 60));
            for (int tile = 0; tile < 8; ++tile) {
                panel->addSubview(
                    std::make_shared<View>(Rect((tile % 4) * 13, (tile / 4) * 30, 13, 30)));
            }
            root->addSubview(panel);
        }
    }
    return root;
}

void animateEveryOtherPanel(View& root) {
    bool animate = false;
    for (const auto& panel : root.subviews()) {
        animate = !animate;
        if (!animate) {
            continue;
        }
        auto fade = std::make_shared<BasicAnimation>("opacity");
        fade->setToValue(0.0);
        fade->setDuration(1e9);
        panel->addAnimation(fade, "fade");
        View::animate(1e9, [&] { panel->setCenter(Point{160, 240}); });
    }
}

double sumShown(const View& view) {
    double sum = view.presentationState().opacity;
    for (const auto& subview : view.subviews()) {
        sum += sumShown(*subview);
    }
    return sum;
}

void BM_PresentationWalk(benchmark::State& state) {
    auto clock = std::make_shared<ManualClock>(Date(1773144000));
    Clock::setCurrent(clock);
    auto screen = makeScreen();
    animateEveryOtherPanel(*screen);
    clock->advance(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sumShown(*screen));
    }
    Clock::setCurrent(nullptr);
}
BENCHMARK(BM_PresentationWalk);

void BM_HitTest(benchmark::State& state) {
    auto screen = makeScreen();
    double y = 0;
    for (auto _ : state) {
        y = y >= 479 ? 0 : y + 7.3;
        benchmark::DoNotOptimize(screen->hitTest(Point{300, y}));
    }
}
BENCHMARK(BM_HitTest);

void BM_AnimatorTick(benchmark::State& state) {
    auto clock = std::make_shared<ManualClock>(Date(1773144000));
    Clock::setCurrent(clock);
    auto screen = makeScreen();
    animateEveryOtherPanel(*screen);
    for (auto _ : state) {
        clock->advance(Animator::frameInterval);
        Animator::shared().tick();
    }
    screen.reset();
    RunLoop::current().runOnce();
    Clock::setCurrent(nullptr);
}
BENCHMARK(BM_AnimatorTick);

void BM_RunLoopFiresTimers(benchmark::State& state) {
    auto clock = std::make_shared<ManualClock>(Date(1773144000));
    Clock::setCurrent(clock);
    long fired = 0;
    std::vector<Timer> timers;
    for (int index = 0; index < state.range(0); ++index) {
        timers.emplace_back(1.0 + index * 0.001, true, [&] { ++fired; });
    }
    for (auto _ : state) {
        clock->advance(1);
        RunLoop::current().runOnce();
    }
    state.counters["fires"] =
        benchmark::Counter(static_cast<double>(fired), benchmark::Counter::kIsRate);
    timers.clear();
    Clock::setCurrent(nullptr);
}
BENCHMARK(BM_RunLoopFiresTimers)->Arg(10)->Arg(1000);

} // namespace
