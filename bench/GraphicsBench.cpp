// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/BitmapContext.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace florelle {
namespace {

// A small round mark like the calendar's, drawn once at scale 2.
Image makeMark() {
    BitmapContext mark({16, 17}, 2);
    mark.setFillColor(Color(0.8, 0.2, 0.4));
    mark.fillEllipse({{1, 1}, {14, 15}});
    return mark.image();
}

// One screen of 150 tiles, each with a fill, a label and a picture: about what
// a busy calendar or chart page asks of the drawing layer.
void drawTiles(benchmark::State& state, bool shadowedLabels) {
    BitmapContext screen({320, 480}, 2);
    Image mark = makeMark();
    Font font = Font::systemFont(12);
    std::vector<std::string> labels;
    for (int i = 0; i < 150; ++i) {
        labels.push_back("Day " + std::to_string(i + 1));
    }
    for (auto _ : state) {
        screen.clearRect({{0, 0}, {320, 480}});
        for (int i = 0; i < 150; ++i) {
            Rect tile{{(i % 10) * 32.0, (i / 10) * 32.0}, {32, 32}};
            screen.setFillColor(i % 2 ? Color::white(0.9) : Color(0.95, 0.9, 0.92));
            screen.fillRect(tile);
            screen.drawImage(mark, Point{tile.minX() + 14, tile.minY() + 1});
            screen.setFillColor(Color::darkGray());
            if (shadowedLabels) {
                screen.setShadow({0, 1}, Color::white());
            }
            screen.drawText(labels[i], Rect{{tile.minX(), tile.minY() + 16}, {32, 16}}, font,
                            LineBreakMode::TruncateTail, TextAlignment::Center);
            screen.clearShadow();
        }
        benchmark::DoNotOptimize(screen.pixel(0, 0));
    }
}
void BM_DrawTilesWithLabelsAndPictures(benchmark::State& state) {
    drawTiles(state, false);
}
BENCHMARK(BM_DrawTilesWithLabelsAndPictures)->Unit(benchmark::kMillisecond);

// The same with every label casting a shadow, as the calendar's day numbers do.
void BM_DrawTilesWithShadowedLabels(benchmark::State& state) {
    drawTiles(state, true);
}
BENCHMARK(BM_DrawTilesWithShadowedLabels)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace florelle
