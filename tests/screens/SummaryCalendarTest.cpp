// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "calendar/CalGridView.h"
#include "calendar/CalHeaderView.h"
#include "calendar/CalMonthView.h"
#include "calendar/CalTileView.h"
#include "cycle/PastPeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Strings.h"
#include "platform/LocalNotificationCenter.h"
#include "platform/LocalNotificationStore.h"
#include "screens/SummaryCalendarController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Window.h"

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

std::vector<Date> reminderDates() {
    std::vector<Date> dates;
    for (const auto& reminder : LocalNotificationCenter(LocalNotificationStore::standard())
                                    .scheduledLocalNotifications()) {
        dates.push_back(reminder.fireDate);
    }
    return dates;
}

// Local days (yyyymmdd, end 0 when open) of every logged period, oldest first.
std::vector<std::pair<int, int>> periods() {
    std::vector<std::pair<int, int>> rows;
    auto logged = PastPeriodEntry::loggedPeriods();
    for (const auto& period : logged.value()) {
        rows.emplace_back(localDay(period.start), period.end == Date() ? 0 : localDay(period.end));
    }
    return rows;
}

class SummaryCalendarTest : public MainScreenTest {
protected:
    SummaryCalendarController& calendar() const { return main().summaryCalendar(); }
    CalGridView& grid() const { return *calendar().calViewController().view()->gridView(); }

    void launchWithSummary(Date now) {
        launch(now);
        summary_ = &record(MainPageKind::summary);
    }
    void bringUp(Date start, Date end, int mode, bool isNew) {
        main().bringSummaryCalendarUp(start, end, mode, true, isNew);
        host().advance(0.5);
    }
    // Past a month's slide.
    void tapView(View& view) { MainScreenTest::tapView(view, CalGridView::slideDuration + 0.1); }
    void tapDay(int year, int month, int day) {
        auto tile = grid().frontMonthView()->tileForDate(
            CalDate(unsigned(day), unsigned(month), unsigned(year)));
        ASSERT_TRUE(tile) << year << "-" << month << "-" << day;
        tapView(*tile);
    }
    void tapRow(int row) {
        auto cell = calendar().tableView().cellForRow({0, row});
        ASSERT_TRUE(cell);
        tapView(*cell);
    }
    std::string rowText(int row, int tag) const {
        auto cell = calendar().tableView().cellForRow({0, row});
        return cell ? static_cast<Label&>(*cell->contentView()->viewWithTag(tag)).text() : "";
    }
    std::string medium(Date date) const {
        return CalDateFormatter(CalDateFormatter::Style::medium).stringFromDate(date);
    }
    bool isUp() const { return main().summaryCalendarView().frame().minY() == 0; }
    std::shared_ptr<AlertView> shownAlert() const {
        for (const auto& view : host().keyWindow()->subviews()) {
            if (auto alert = std::dynamic_pointer_cast<AlertView>(view);
                alert && alert->isVisible()) {
                return alert;
            }
        }
        return nullptr;
    }
    void expectRefreshed() {
        EXPECT_EQ(diaryChanges(), 1);
        EXPECT_TRUE(summary_->called("deselectCell"));
    }

    RecordingPage* summary_ = nullptr;
};

} // namespace

TEST_F(SummaryCalendarTest, AddingWithTheDefaultValuesLogsTodayAsAOneDayPeriod) {
    launchWithSummary(localDate(2026, 3, 10, 12));
    std::string waiting = main().infoLbl().text();
    auto reminders = reminderDates();
    Date now = clock_->now();
    bringUp(now, now, 0, true);
    ASSERT_TRUE(isUp());
    EXPECT_EQ(calendar().titleLbl().text(), t("Add past period Key"));
    EXPECT_EQ(calendar().tableView().numberOfRowsInSection(0), 2);
    EXPECT_EQ(rowText(0, 1), t("Starts Key"));
    EXPECT_EQ(rowText(1, 1), t("Ends Key"));
    EXPECT_EQ(rowText(0, 2), medium(now));
    EXPECT_EQ(calendar().selectedRow(), 0);
    EXPECT_EQ(calendar().calViewController().selectedDate(), localDate(2026, 3, 10));

    tapView(calendar().addButton());
    EXPECT_EQ(periods(), (std::vector<std::pair<int, int>>{{20260310, 20260310}}));
    EXPECT_FALSE(isUp());
    EXPECT_TRUE(main().isStartDate());
    expectRefreshed();
    EXPECT_NE(main().infoLbl().text(), waiting) << "today's status follows the new period";
    EXPECT_NE(reminderDates(), reminders) << "the reminders follow it too";
}

TEST_F(SummaryCalendarTest, EndingAnOpenPeriodInTheSecondRowWaitsForTheNextStart) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    launchWithSummary(localDate(2026, 3, 10, 12));
    bringUp(localDate(2026, 3, 1), Date(), 0, false);
    EXPECT_EQ(calendar().titleLbl().text(), t("Edit period log Key"));
    EXPECT_EQ(rowText(1, 2), "-");

    tapRow(1);
    EXPECT_EQ(calendar().selectedRow(), 1);
    EXPECT_EQ(calendar().calViewController().selectedDate(), localDate(2026, 3, 10))
        << "no end yet: the calendar shows today";
    tapDay(2026, 3, 5);
    EXPECT_EQ(calendar().endDate(), localDate(2026, 3, 5));
    EXPECT_EQ(calendar().startDate(), localDate(2026, 3, 1));
    EXPECT_EQ(rowText(1, 2), medium(localDate(2026, 3, 5)));
    EXPECT_EQ(calendar().selectedRow(), 1);

    tapView(calendar().addButton());
    EXPECT_EQ(periods(), (std::vector<std::pair<int, int>>{{20260301, 20260305}}));
    EXPECT_TRUE(main().isStartDate());
    EXPECT_EQ(DC::getIsStartDate(), 1);
    expectRefreshed();
}

// The state machine through the period log: a start-only entry opens a
// period, an end-only entry closes it.
TEST_F(SummaryCalendarTest, StartOnlyAndEndOnlyEntriesOpenAndCloseAPeriod) {
    launchWithSummary(localDate(2026, 3, 10, 12));
    bringUp(clock_->now(), Date(), 1, true);
    EXPECT_EQ(calendar().titleLbl().text(), t("Enter start date Key"));
    ASSERT_EQ(calendar().tableView().numberOfRowsInSection(0), 1);
    EXPECT_EQ(rowText(0, 1), t("Starts Key"));
    tapDay(2026, 3, 8);
    tapView(calendar().addButton());
    EXPECT_EQ(periods(), (std::vector<std::pair<int, int>>{{20260308, 0}}));
    EXPECT_FALSE(main().isStartDate());
    EXPECT_EQ(DC::getIsStartDate(), 0);

    bringUp(localDate(2026, 3, 8), Date(), 2, false);
    EXPECT_EQ(calendar().titleLbl().text(), t("Enter end date Key"));
    EXPECT_EQ(rowText(0, 1), t("Ends Key"));
    auto tile = grid().frontMonthView()->tileForDate(CalDate(7, 3, 2026));
    EXPECT_TRUE(tile->isShaded()) << "before the start";
    EXPECT_TRUE(grid().frontMonthView()->tileForDate(CalDate(11, 3, 2026))->isShaded());
    tapDay(2026, 3, 9);
    tapView(calendar().addButton());
    EXPECT_EQ(periods(), (std::vector<std::pair<int, int>>{{20260308, 20260309}}));
    EXPECT_TRUE(main().isStartDate());
}

TEST_F(SummaryCalendarTest, DeletingTheLatestPeriodWaitsForAStart) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 1), localDate(2026, 2, 5)));
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 3)));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    launchWithSummary(localDate(2026, 3, 10, 12));
    ASSERT_FALSE(main().isStartDate());
    auto reminders = reminderDates();
    main().setCalSelectedDate(localDate(2026, 3, 3));
    main().deleteDate();
    EXPECT_EQ(periods(), (std::vector<std::pair<int, int>>{{20260201, 20260205}}));
    EXPECT_TRUE(main().isStartDate());
    EXPECT_EQ(DC::getIsStartDate(), 1);
    expectRefreshed();
    EXPECT_NE(reminderDates(), reminders);
}

TEST_F(SummaryCalendarTest, ARefusedEntrySaysWhyAndStaysOpen) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 2), localDate(2026, 3, 4)));
    launchWithSummary(localDate(2026, 3, 10, 12));
    auto before = periods();
    bringUp(clock_->now(), clock_->now(), 0, true);
    tapDay(2026, 3, 8);
    tapRow(1);
    EXPECT_EQ(calendar().endDate(), localDate(2026, 3, 8)) << "a new end starts on the start";
    tapDay(2026, 3, 6);
    tapView(calendar().addButton());
    auto alert = shownAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(), t("Period ends before it starts Key"));
    EXPECT_TRUE(isUp());
    EXPECT_EQ(periods(), before);
    alert->dismissWithClickedButtonIndex(0, false);

    tapRow(0);
    tapDay(2026, 3, 4);
    tapView(calendar().addButton());
    alert = shownAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(), t("Period overlaps another Key"));
    EXPECT_TRUE(isUp());
    EXPECT_EQ(periods(), before);
    EXPECT_FALSE(summary_->called("deselectCell"));
}

// A month move enters day 1 of the new month, unless that day is shaded.
TEST_F(SummaryCalendarTest, AMonthMoveNeverEntersAShadedDay) {
    launchWithSummary(localDate(2026, 3, 10, 12));
    bringUp(clock_->now(), clock_->now(), 0, true);
    CalHeaderView& header = *calendar().calViewController().view()->headerView();
    tapView(*header.rightArrow());
    EXPECT_EQ(calendar().startDate(), clock_->now()) << "April lies after today";
    tapView(*header.leftArrow());
    tapView(*header.leftArrow());
    EXPECT_EQ(calendar().startDate(), localDate(2026, 2, 1));

    bringUp(localDate(2026, 2, 20), Date(), 2, false);
    tapView(*header.leftArrow());
    EXPECT_EQ(calendar().endDate(), Date()) << "January lies before the start";
    tapView(*header.rightArrow());
    tapView(*header.rightArrow());
    EXPECT_EQ(calendar().endDate(), localDate(2026, 3, 1));
}

TEST_F(SummaryCalendarTest, CancelSavesNothing) {
    launchWithSummary(localDate(2026, 3, 10, 12));
    bringUp(clock_->now(), clock_->now(), 0, true);
    tapView(calendar().cancelButton());
    EXPECT_FALSE(isUp());
    EXPECT_TRUE(periods().empty());
    EXPECT_TRUE(summary_->called("deselectCell"));
    EXPECT_EQ(diaryChanges(), 0);
}
