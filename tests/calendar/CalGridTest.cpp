// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarUiTest.h"
#include "calendar/CalDateFormatter.h"
#include "foundation/Locale.h"
#include "support/LocalDays.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using Slide = CalGridView::SlideDirection;

class CalGridTest : public CalendarUiTest {
protected:
    static std::vector<std::string> weekdayNames(const CalHeaderView& header) {
        std::vector<std::string> names;
        for (const auto& label : header.weekdayLabels()) {
            names.push_back(label->text());
        }
        return names;
    }
};

struct HeightRow {
    int year;
    int month;
    int rows;
    int height;
};

// February 2026 fills four rows, March five and August six.
const HeightRow heightRows[] = {{2026, 2, 4, 177}, {2026, 3, 5, 221}, {2026, 8, 6, 265}};

TEST_F(CalGridTest, GridHeightFollowsTheRowsOfTheMonth) {
    for (const auto& row : heightRows) {
        SCOPED_TRACE(row.month);
        host_->calls.clear();
        showCalendar(localDate(row.year, row.month, 10));
        EXPECT_EQ(grid().frontMonthView()->numWeeks(), row.rows);
        EXPECT_EQ(grid().frame().height(), row.height);
        EXPECT_EQ(host_->heights(), std::vector<int>{row.height});
        EXPECT_EQ(controller_->view()->tableView()->frame().minY(), row.height);
        EXPECT_EQ(controller_->view()->shadowView()->frame().minY(), row.height);
        controller_->view()->removeFromSuperview();
    }
}

TEST_F(CalGridTest, HeaderAndRowsStartOnTheLocalesFirstWeekday) {
    showCalendar(localDate(2026, 3, 10));
    const CalHeaderView& header = *controller_->view()->headerView();
    EXPECT_EQ(weekdayNames(header),
              (std::vector<std::string>{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
    EXPECT_EQ(header.titleLabel()->text(), "March 2026");
    EXPECT_EQ(grid().frontMonthView()->tileAt(0)->date(), CalDate(1, 3, 2026));
    controller_->view()->removeFromSuperview();

    Locale::setCurrent("de_DE");
    showCalendar(localDate(2026, 3, 10));
    auto german = CalDateFormatter::shortWeekdaySymbols(Locale("de_DE"));
    const CalHeaderView& mondayFirst = *controller_->view()->headerView();
    EXPECT_EQ(weekdayNames(mondayFirst).front(), german[1]);
    EXPECT_EQ(weekdayNames(mondayFirst).back(), german[0]);
    EXPECT_EQ(mondayFirst.titleLabel()->text(), "März 2026");
    // 1 March 2026 is a Sunday: six February days lead, from Monday 23rd.
    EXPECT_EQ(grid().frontMonthView()->tileAt(0)->date(), CalDate(23, 2, 2026));
    EXPECT_TRUE(grid().frontMonthView()->tileAt(0)->belongsToAdjacentMonth());
    EXPECT_EQ(grid().frontMonthView()->tileAt(6)->date(), CalDate(1, 3, 2026));
    EXPECT_EQ(grid().frontMonthView()->numWeeks(), 6);
}

TEST_F(CalGridTest, TitleIsCentredOnWholePoints) {
    showCalendar(localDate(2026, 3, 10));
    Rect title = controller_->view()->headerView()->titleLabel()->frame();
    EXPECT_GT(title.width(), 100);
    EXPECT_EQ(title.minX(), std::floor(160 - title.width() / 2));
    controller_->showFollowingMonth();
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "April 2026");
}

struct SlideRow {
    const char* name;
    int month;       // the month on show, 2026
    bool forward;    // following (true) or previous month
    double startTop; // where the incoming month starts
    int height;
};

// March → April: 1 April is a Wednesday, the shared row stays (221 − 44).
// February → March: February ends on Saturday, March starts on Sunday, no
// row is kept (177). March → February: February has no trailing days (−4
// rows). April → March: March's last row holds April days (1 − 5 rows).
const SlideRow slideRows[] = {
    {"keeps the shared row", 3, true, 177, 221},
    {"slides whole months", 2, true, 177, 221},
    {"down without a shared row", 3, false, -176, 177},
    {"down keeping the row", 4, false, -176, 221},
};

TEST_F(CalGridTest, SlidesMoveByWholeRowsAndKeepTheSharedRow) {
    for (const auto& row : slideRows) {
        SCOPED_TRACE(row.name);
        showCalendar(localDate(2026, row.month, 10));
        auto outgoing = grid().frontMonthView();
        row.forward ? controller_->showFollowingMonth() : controller_->showPreviousMonth();
        auto incoming = grid().frontMonthView();
        ASSERT_NE(incoming, outgoing);
        EXPECT_TRUE(grid().isTransitioning());
        expectShown(incoming->presentationFrame().origin.y, row.startTop);
        expectShown(outgoing->presentationFrame().origin.y, 0);
        EXPECT_EQ(incoming->frame().minY(), 0);
        EXPECT_EQ(outgoing->frame().minY(), -row.startTop);
        EXPECT_EQ(grid().frame().height(), row.height);
        EXPECT_EQ(host_->heights().back(), row.height);
        finishSlide();
        EXPECT_FALSE(grid().isTransitioning());
        EXPECT_TRUE(outgoing->isHidden());
        EXPECT_FALSE(incoming->isHidden());
        expectShown(incoming->presentationFrame().origin.y, 0);
        controller_->view()->removeFromSuperview();
    }
}

TEST_F(CalGridTest, AMoveSelectsDayOneAndTellsTheHost) {
    showCalendar(localDate(2026, 3, 10));
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 3, 10));
    host_->calls.clear();
    controller_->showFollowingMonth();
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 4, 1));
    EXPECT_EQ(grid().selectedTile()->date(), CalDate(1, 4, 2026));
    EXPECT_EQ(host_->calls,
              (std::vector<HostCall>{{HostCall::Kind::changeCalSize, Date(), 221},
                                     {HostCall::Kind::reloadInfoForDate, localDate(2026, 4, 1)}}));
    finishSlide();
    controller_->showPreviousMonth();
    finishSlide();
    controller_->showPreviousMonth();
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 2, 1));
}

TEST_F(CalGridTest, DecemberToJanuaryAndBackThroughTheArrows) {
    showCalendar(localDate(2026, 12, 15));
    tap(Point{300, 18});
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "January 2027");
    EXPECT_EQ(controller_->selectedDate(), localDate(2027, 1, 1));
    // 1 January 2027 is a Friday: the first row leads with 27-31 December.
    EXPECT_EQ(grid().frontMonthView()->tileAt(0)->date(), CalDate(27, 12, 2026));
    finishSlide();
    tap(Point{20, 18});
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "December 2026");
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 12, 1));
}

TEST_F(CalGridTest, ArrowsAreIgnoredWhileTheGridSlides) {
    showCalendar(localDate(2026, 3, 10));
    tap(Point{300, 18});
    tap(Point{300, 18});
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "April 2026");
    controller_->showAndSelectDate(localDate(2026, 7, 4));
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "April 2026");
    finishSlide();
    tap(Point{300, 18});
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "May 2026");
}

TEST_F(CalGridTest, FingerReportsEveryDayItPassesAndTheSameDayAgain) {
    showCalendar(localDate(2026, 3, 10));
    host_->calls.clear();
    // March 2026: row 1 holds 8-14 March, so the 10th is column 2.
    auto touch = touchDown(tilePoint(1, 2));
    touchMove(touch, Point{tilePoint(1, 2).x + 5, tilePoint(1, 2).y});
    touchMove(touch, tilePoint(1, 3));
    touchMove(touch, tilePoint(2, 3));
    touchUp(touch, tilePoint(2, 3));
    EXPECT_EQ(host_->picks(), (std::vector<Date>{localDate(2026, 3, 10), localDate(2026, 3, 10),
                                                 localDate(2026, 3, 11), localDate(2026, 3, 18)}));
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 3, 18));
    EXPECT_TRUE(tileOf(2026, 3, 18)->isSelected());
    EXPECT_FALSE(tileOf(2026, 3, 10)->isSelected());
}

TEST_F(CalGridTest, DimDayTapMovesTheMonthAndSelectsThatDay) {
    showCalendar(localDate(2026, 3, 10));
    host_->calls.clear();
    // Row 4 of March 2026: 29, 30, 31 March, then 1-4 April dimmed.
    auto touch = touchDown(tilePoint(4, 4));
    ASSERT_TRUE(grid().highlightedTile());
    EXPECT_EQ(grid().highlightedTile()->date(), CalDate(2, 4, 2026));
    EXPECT_TRUE(grid().highlightedTile()->isHighlighted());
    touchMove(touch, tilePoint(4, 5));
    EXPECT_EQ(grid().highlightedTile()->date(), CalDate(3, 4, 2026));
    EXPECT_FALSE(grid().frontMonthView()->tileAt(32)->isHighlighted());
    touchUp(touch, tilePoint(4, 5));
    EXPECT_FALSE(grid().highlightedTile());
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "April 2026");
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 4, 3));
    EXPECT_TRUE(host_->picks().empty());
    EXPECT_EQ(host_->calls.back(),
              (HostCall{HostCall::Kind::reloadInfoForDate, localDate(2026, 4, 1)}));

    finishSlide();
    // April 2026 leads with 29-31 March.
    tap(tilePoint(0, 1));
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "March 2026");
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 3, 30));
    EXPECT_TRUE(host_->picks().empty());
}

TEST_F(CalGridTest, ShadedDaysAreNeitherPickedNorHighlighted) {
    dataSource_->setShadeDate(localDate(2026, 3, 5, 15));
    dataSource_->setShadeFutureDate(localDate(2026, 3, 20, 8));
    showCalendar(localDate(2026, 3, 10));
    EXPECT_TRUE(tileOf(2026, 3, 4)->isShade());
    EXPECT_FALSE(tileOf(2026, 3, 5)->isShade());
    EXPECT_FALSE(tileOf(2026, 3, 20)->isShadeFuture());
    EXPECT_TRUE(tileOf(2026, 3, 21)->isShadeFuture());
    host_->calls.clear();

    tap(tilePoint(0, 3));                    // 4 March
    tap(tilePoint(3, 6));                    // 28 March
    auto touch = touchDown(tilePoint(4, 4)); // 2 April, dim and after the limit
    EXPECT_FALSE(grid().highlightedTile());
    touchMove(touch, tilePoint(0, 4)); // 5 March
    touchUp(touch, tilePoint(0, 4));
    EXPECT_EQ(host_->picks(), std::vector<Date>{localDate(2026, 3, 5)});
    EXPECT_FALSE(tileOf(2026, 3, 4)->isSelected());
    EXPECT_FALSE(tileOf(2026, 3, 4)->isHighlighted());

    // A program may still select a shaded day.
    controller_->showAndSelectDate(localDate(2026, 3, 28));
    EXPECT_TRUE(tileOf(2026, 3, 28)->isSelected());
    EXPECT_TRUE(tileOf(2026, 3, 28)->isShadeFuture());
}

TEST_F(CalGridTest, ShadeLimitsAreLocalDaysInEveryZone) {
    for (const auto& zone : dayRuleZones) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        // Late on the 5th and just after midnight on the 20th: whole local days count.
        dataSource_->setShadeDate(localDate(2026, 3, 5, 23, 30));
        dataSource_->setShadeFutureDate(localDate(2026, 3, 20, 0, 30));
        showCalendar(localDate(2026, 3, 10));
        EXPECT_TRUE(tileOf(2026, 3, 4)->isShaded());
        EXPECT_FALSE(tileOf(2026, 3, 5)->isShaded());
        EXPECT_FALSE(tileOf(2026, 3, 20)->isShaded());
        EXPECT_TRUE(tileOf(2026, 3, 21)->isShaded());
        controller_->view()->removeFromSuperview();
    }
}

TEST_F(CalGridTest, LiftingTheLimitUnshadesTheDaysOfLaterMonths) {
    dataSource_->setShadeFutureDate(localDate(2026, 3, 20));
    showCalendar(localDate(2026, 3, 10));
    EXPECT_TRUE(tileOf(2026, 3, 31)->isShadeFuture());
    dataSource_->setShadeFutureDate(Date());
    NotificationCenter::defaultCenter().post(CalViewController::dataSourceChangedNotification);
    for (const auto& tile : grid().frontMonthView()->tilesInUse()) {
        EXPECT_FALSE(tile->isShadeFuture()) << tile->date()->description();
    }
}

TEST_F(CalGridTest, ShowAndSelectDateJumpsWithoutSliding) {
    showCalendar(localDate(2026, 3, 10));
    host_->calls.clear();
    controller_->showAndSelectDate(localDate(2026, 8, 30, 18));
    EXPECT_FALSE(grid().isTransitioning());
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 8, 30));
    EXPECT_EQ(host_->heights(), std::vector<int>{265});
    EXPECT_TRUE(host_->picks().empty());
}

TEST_F(CalGridTest, TodayMarkMovesAtLocalMidnightByTheNotice) {
    for (const auto& zone : dayRuleZones) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        clock_->set(localDate(2026, 3, 10, 23, 59));
        CalDate::cacheTodaysDate();
        showCalendar(localDate(2026, 3, 12));
        EXPECT_TRUE(tileOf(2026, 3, 10)->isToday());
        clock_->advance(120);
        EXPECT_TRUE(tileOf(2026, 3, 10)->isToday());
        NotificationCenter::defaultCenter().post(
            NotificationCenter::significantTimeChangeNotification);
        EXPECT_FALSE(tileOf(2026, 3, 10)->isToday());
        EXPECT_TRUE(tileOf(2026, 3, 11)->isToday());
        // The user's pick stays where it was.
        EXPECT_EQ(controller_->selectedDate(), localDate(2026, 3, 12));
        controller_->view()->removeFromSuperview();
    }
}

TEST_F(CalGridTest, ZoneChangeKeepsTheMonthAndThePick) {
    setTimeZone("Etc/GMT-2");
    showCalendar(localDate(2026, 3, 1));
    setTimeZone("Etc/GMT+5");
    NotificationCenter::defaultCenter().post(NotificationCenter::significantTimeChangeNotification);
    EXPECT_EQ(controller_->view()->headerView()->titleLabel()->text(), "March 2026");
    EXPECT_EQ(controller_->selectedDate(), localDate(2026, 3, 1));
}

TEST_F(CalGridTest, ViewWithoutDelegateOrLogicIsRefused) {
    auto logic = std::make_shared<CalLogic>(localDate(2026, 3, 1));
    try {
        CalView view(Rect(0, 0, 320, 460), {}, logic);
        FAIL() << "made a calendar view without a delegate";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("Incomplete initializer"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("delegate and a CalLogic"), std::string::npos);
    }
    showCalendar(localDate(2026, 3, 1));
    EXPECT_THROW(CalView(Rect(0, 0, 320, 460), controller_, nullptr), std::invalid_argument);
}

} // namespace
