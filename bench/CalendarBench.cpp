// SPDX-License-Identifier: GPL-3.0-or-later
#include "Require.h"
#include "calendar/CalViewController.h"
#include "calendar/CalendarDataSource.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/RunLoop.h"
#include "foundation/TimeZone.h"
#include "graphics/BitmapContext.h"
#include "host/HeadlessHost.h"
#include "screens/CalendarGlobalController.h"
#include "screens/FlorelleAppDelegate.h"
#include "screens/MainViewController.h"
#include "storage/DatabaseController.h"
#include "ui/ViewRenderer.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace florelle;

namespace {

// A year of logged periods with notes and intimate days, in a zone with
// daylight saving; the calendar shows the latest cycle. The process-wide
// settings are put back afterwards for the other benchmarks.
class CalendarDiary {
public:
    CalendarDiary()
        : folder_(std::filesystem::temp_directory_path() /
                  ("florelle-calendar-bench-" + std::to_string(getpid()))),
          previousDocuments_(Paths::documentsDirectory()), previousClock_(Clock::current()) {
        std::filesystem::remove_all(folder_);
        Paths::setDocumentsDirectory(folder_);
        TimeZone::setCurrent("Europe/Berlin");
        Locale::setCurrent("en_US");
        Log::setSink([](std::string_view) {});
        Calendar calendar = Calendar::current();
        Date start = calendar.dateFromComponents({2025, 4, 3});
        for (int i = 0; i < 12; ++i) {
            Date first = calendar.addingDays(start, i * 28);
            require(DatabaseController::saveLog(first, calendar.addingDays(first, 4)));
            require(DatabaseController::saveIntimate(
                1, DatabaseController::openDay(calendar.addingDays(first, 9)).value()));
            require(DatabaseController::saveNote(
                "note", DatabaseController::openDay(calendar.addingDays(first, 12)).value(),
                Clock::current()->now()));
        }
        today_ = calendar.addingDays(start, 11 * 28 + 10);
        clock_ = std::make_shared<ManualClock>(today_);
        Clock::setCurrent(clock_);
    }
    ~CalendarDiary() {
        std::filesystem::remove_all(folder_);
        Paths::setDocumentsDirectory(previousDocuments_);
        Clock::setCurrent(previousClock_);
        TimeZone::setCurrent(std::nullopt);
        Locale::setCurrent(std::nullopt);
        Log::setSink({});
    }

    Date today() const { return today_; }
    ManualClock& clock() { return *clock_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path previousDocuments_;
    std::shared_ptr<Clock> previousClock_;
    std::shared_ptr<ManualClock> clock_;
    Date today_;
};

// One month move as the arrow starts it: the month logic, the new month's
// tiles, the data source's span queries and the marks, and the drawing of
// the incoming month at scale 2. Moves alternate forwards and backwards so
// every month has marks.
void BM_CalendarMonthMove(benchmark::State& state) {
    CalendarDiary diary;
    auto marks = std::make_shared<CalendarDataSource>();
    auto controller = CalViewController::create(diary.today());
    controller->setDataSource(marks);
    const CalGridView& grid = *controller->view()->gridView();
    bool forward = true;
    for (auto _ : state) {
        forward ? controller->showFollowingMonth() : controller->showPreviousMonth();
        forward = !forward;
        CalMonthView& incoming = *grid.frontMonthView();
        BitmapContext context(incoming.frame().size, 2);
        context.translate(0, -incoming.presentationFrame().minY());
        ViewRenderer::render(incoming, context);
        benchmark::DoNotOptimize(context.pixel(0, 0));

        state.PauseTiming();
        diary.clock().advance(1);
        RunLoop::current().runOnce();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CalendarMonthMove)->Unit(benchmark::kMillisecond);

// The same move on the calendar page of the running application: besides
// the month, the page reads and shows the details of the day the move
// selects, and the whole page is drawn at scale 2.
void BM_CalendarPageMonthMove(benchmark::State& state) {
    CalendarDiary diary;
    require(DatabaseController::saveFirstTimeOn(0));
    auto delegate = std::make_shared<FlorelleAppDelegate>();
    HeadlessHost host(delegate, diary.today(), 2);
    host.launch();
    MainViewController& main = *delegate->mainViewController();
    main.petalOpen(MainPageKind::calendar);
    host.advance(2);
    auto& page = dynamic_cast<CalendarGlobalController&>(main.page(MainPageKind::calendar));
    View& pageView = *page.view();
    bool forward = true;
    for (auto _ : state) {
        forward ? page.calViewController().showFollowingMonth()
                : page.calViewController().showPreviousMonth();
        forward = !forward;
        BitmapContext context(pageView.bounds().size, 2);
        ViewRenderer::render(pageView, context);
        benchmark::DoNotOptimize(context.pixel(0, 0));

        state.PauseTiming();
        host.advance(1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CalendarPageMonthMove)->Unit(benchmark::kMillisecond);

} // namespace
