// SPDX-License-Identifier: GPL-3.0-or-later
// What scrolling costs: moving a table of a thousand rows by a row per step
// (cells leave, are reused and refilled), and reading a large page into
// blocks for the web view.
#include "platform/WebPage.h"
#include "ui/TableView.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

using namespace florelle;

namespace {

class ThousandRows : public TableViewDataSource {
public:
    int numberOfRowsInSection(TableView&, int) override { return 1000; }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override {
        auto cell = table.dequeueReusableCell("row");
        if (!cell) {
            cell = std::make_shared<TableViewCell>("row");
        }
        cell->textLabel()->setText("Row " + std::to_string(path.row));
        return cell;
    }
};

void BM_TableScrollsARowPerStep(benchmark::State& state) {
    auto rows = std::make_shared<ThousandRows>();
    auto table = std::make_shared<TableView>(Rect(0, 0, 320, 480), TableView::Style::plain);
    table->dataSource = rows;
    table->reloadData();
    double y = 0;
    for (auto _ : state) {
        y = y >= 40000 ? 0 : y + TableViewCell::defaultHeight;
        table->setContentOffset(Point{0, y});
        benchmark::DoNotOptimize(table->indexPathsForVisibleRows().size());
    }
}
BENCHMARK(BM_TableScrollsARowPerStep);

void BM_WebPageReadsAHundredKilobytes(benchmark::State& state) {
    std::string html = "<html><head><title>Forum</title></head><body>";
    while (html.size() < 100 * 1024) {
        html += "<h2>Topic</h2><p>Some <b>talk</b> about the cycle with "
                "<a href=\"/t/1\">a link</a> in it.</p><ul><li>one</li><li>two</li></ul>";
    }
    html += "</body></html>";
    for (auto _ : state) {
        auto page = WebPage::parse(html, "http://127.0.0.1/forum");
        benchmark::DoNotOptimize(page.blocks().size());
    }
}
BENCHMARK(BM_WebPageReadsAHundredKilobytes);

} // namespace
