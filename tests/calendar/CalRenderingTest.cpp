// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarUiTest.h"
#include "calendar/CalendarDataSource.h"
#include "foundation/Clock.h"
#include "graphics/BitmapContext.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/ViewRenderer.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// A March with a logged period, its predicted fertile window and the next
// period, two intimate days and three days with notes, drawn as a screen at
// scale 2. FLORELLE_CALENDAR_PICTURE=path keeps the picture as a PNG.
class CalRenderingTest : public CalendarUiTest {
protected:
    void SetUp() override {
        CalendarUiTest::SetUp();
        clock_->set(localDate(2026, 3, 17, 9));
        CalDate::cacheTodaysDate();
        ASSERT_TRUE(DC::saveCycleLength(28));
        ASSERT_TRUE(DC::savePeriodLength(5));
        ASSERT_TRUE(DC::saveOvulationDay(14));
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 1), localDate(2026, 2, 5)));
        ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)));
        ASSERT_TRUE(DC::saveIntimate(1, DC::openDay(localDate(2026, 3, 3)).value()));
        ASSERT_TRUE(DC::saveIntimate(1, DC::openDay(localDate(2026, 3, 13)).value()));
        for (int day : {2, 13, 20}) {
            ASSERT_TRUE(DC::saveNote("note", DC::openDay(localDate(2026, 3, day)).value(),
                                     Clock::current()->now()));
        }
        marks_ = std::make_shared<CalendarDataSource>();
        controller_ = CalViewController::create(localDate(2026, 3, 20));
        controller_->setDataSource(marks_);
        window_->addSubview(controller_->view());
    }

    std::unique_ptr<BitmapContext> render() {
        auto context = std::make_unique<BitmapContext>(Size{320, 460}, 2);
        ViewRenderer::render(*window_, *context);
        if (const char* path = std::getenv("FLORELLE_CALENDAR_PICTURE")) {
            context->savePng(path);
        }
        return context;
    }

    // The window point of a spot inside a tile of the grid.
    static Point inTile(int row, int column, double x, double y) {
        return Point{column * CalTileView::width + x, CalHeaderView::height + row * 44 + y};
    }

    std::shared_ptr<CalendarDataSource> marks_;
};

TEST_F(CalRenderingTest, MarkedMonthShowsEachMarkInItsPlace) {
    auto picture = render();
    // Row 0: 1-7 March. 1 March, a period day, is covered by the period
    // picture; 8 March, a plain fertile day before ovulation, is not.
    Color periodCorner = picture->pixelAt(inTile(0, 0, 40, 8));
    Color plainCorner = picture->pixelAt(inTile(1, 0, 40, 8));
    EXPECT_FALSE(periodCorner == plainCorner);
    // The pen of 20 March (row 2, column 5) in its upper right corner.
    EXPECT_FALSE(picture->pixelAt(inTile(2, 5, 36, 12)) == picture->pixelAt(inTile(2, 4, 36, 12)));
    // The heart of 13 March (row 1, column 5) in its lower left corner.
    EXPECT_FALSE(picture->pixelAt(inTile(1, 5, 11, 35)) == picture->pixelAt(inTile(1, 3, 11, 35)));
    // The header shows the title over the grey backdrop.
    EXPECT_GT(picture->pixelAt(Point{160, 18}).alpha(), 0.9);
}

TEST_F(CalRenderingTest, NextMonthSlidesInAndIsDrawnMarked) {
    controller_->showFollowingMonth();
    advance(0.25);
    auto halfway = render();
    finishSlide();
    auto april = render();
    // Halfway the months overlap, so the picture differs from the end state.
    bool differs = false;
    for (int y = 100; y < 400 && !differs; y += 7) {
        differs =
            !(halfway->pixelAt(Point{100, double(y)}) == april->pixelAt(Point{100, double(y)}));
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "April 2026");
}

} // namespace
