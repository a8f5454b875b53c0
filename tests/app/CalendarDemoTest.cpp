// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/demo/CalendarDemoAppDelegate.h"
#include "app/demo/CalendarDemoScreen.h"
#include "calendar/CalDate.h"
#include "calendar/CalViewController.h"
#include "foundation/Locale.h"
#include "host/HeadlessHost.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

// The calendar demo in a headless host on Tuesday 17 March 2026; the diary
// holds periods from 5 February and 5 March.
class CalendarDemoTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        Locale::setCurrent("en_US");
        delegate_ = std::make_shared<CalendarDemoAppDelegate>(documents_->path() / "demo");
        host_ = std::make_unique<HeadlessHost>(delegate_, localDate(2026, 3, 17, 9), 2);
        // Today is kept for the whole process; this test's clock starts elsewhere.
        CalDate::cacheTodaysDate();
        host_->launch();
    }
    void TearDown() override {
        host_.reset();
        delegate_.reset();
        Locale::setCurrent(std::nullopt);
        DiaryTest::TearDown();
    }

    // The middle of the grid tile in that row and column, in the window.
    static Point tile(int row, int column) {
        return Point{column * 46.0 + 23, 20 + 44 + row * 44.0 + 22};
    }
    CalendarDemoScreen& screen() const { return *delegate_->screen(); }
    CalViewController& calendar() const { return *screen().calendar(); }
    const CalGridView& grid() const { return *calendar().view()->gridView(); }

    std::shared_ptr<CalendarDemoAppDelegate> delegate_;
    std::unique_ptr<HeadlessHost> host_;
};

TEST_F(CalendarDemoTest, ShowsTheSeededDiaryOnTheMonthOfToday) {
    EXPECT_EQ(calendar().view()->headerView()->titleLabel()->text(), "March 2026");
    auto tileOf = [&](unsigned day) {
        return grid().frontMonthView()->tileForDate({day, 3, 2026});
    };
    EXPECT_TRUE(tileOf(5)->isPeriod());
    EXPECT_TRUE(tileOf(9)->isPeriod());
    EXPECT_TRUE(tileOf(8)->isIntimate());
    EXPECT_TRUE(tileOf(17)->isToday());
    EXPECT_TRUE(tileOf(17)->isMarked());
    EXPECT_TRUE(tileOf(17)->isSelected());
    EXPECT_EQ(DatabaseController::getStartDates()->size(), 2u);
    // The scratch diary, never the user's.
    EXPECT_TRUE(std::filesystem::exists(documents_->path() / "demo" / "period" / "period.db"));
}

TEST_F(CalendarDemoTest, DraggingAcrossDaysPicksEachAndTheLabelFollows) {
    host_->tap(tile(1, 2));
    EXPECT_EQ(screen().pickLabel().text(), "Picked: Tuesday 10 March 2026");
    host_->drag(tile(1, 2), tile(1, 4), 4);
    EXPECT_EQ(screen().pickLabel().text(), "Picked: Thursday 12 March 2026");
    EXPECT_EQ(calendar().selectedDate(), localDate(2026, 3, 12));
}

TEST_F(CalendarDemoTest, DimDayTapSlidesToTheNextMonth) {
    // Row 4 of March 2026 ends with 1-4 April.
    host_->tap(tile(4, 4));
    EXPECT_EQ(screen().pickLabel().text(), "Month of Wednesday 1 April 2026");
    host_->advance(CalGridView::slideDuration + 0.1);
    EXPECT_FALSE(grid().isTransitioning());
    EXPECT_EQ(calendar().view()->headerView()->titleLabel()->text(), "April 2026");
    EXPECT_EQ(calendar().selectedDate(), localDate(2026, 4, 2));
    // The predicted period of 2-6 April is marked.
    EXPECT_TRUE(grid().frontMonthView()->tileForDate({2, 4, 2026})->isPeriod());
    auto path = documents_->path() / "april.png";
    EXPECT_TRUE(host_->screenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

TEST_F(CalendarDemoTest, TodayMovesAtMidnightWhileTheDemoRuns) {
    host_->advance(15 * 3600);
    const auto& month = *grid().frontMonthView();
    EXPECT_TRUE(month.tileForDate({18, 3, 2026})->isToday());
    EXPECT_FALSE(month.tileForDate({17, 3, 2026})->isToday());
}

} // namespace
