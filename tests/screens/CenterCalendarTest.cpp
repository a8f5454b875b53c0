// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "calendar/CalGridView.h"
#include "calendar/CalMonthView.h"
#include "calendar/CalTileView.h"
#include "foundation/Strings.h"
#include "platform/LocalNotificationCenter.h"
#include "platform/LocalNotificationStore.h"
#include "screens/CenterCalendarController.h"
#include "screens/DiaryActions.h"
#include "screens/SummaryGlobalController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/Label.h"

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

size_t pendingReminders() {
    return LocalNotificationCenter(LocalNotificationStore::standard())
        .scheduledLocalNotifications()
        .size();
}

class CenterCalendarTest : public MainScreenTest {
protected:
    CenterCalendarController& picker() const { return main().centerCalendar(); }
    CalGridView& grid() const { return *picker().calViewController().view()->gridView(); }

    void pressCenter() {
        Rect button = main().centerButton().frame();
        Rect flower = main().flowerView().frame();
        host().tap(inWindow({flower.minX() + button.midX(), flower.minY() + button.midY()}));
        host().advance(0.5);
    }
    std::shared_ptr<CalTileView> tileOf(int year, int month, int day) const {
        auto tile = grid().frontMonthView()->tileForDate(
            CalDate(unsigned(day), unsigned(month), unsigned(year)));
        EXPECT_TRUE(tile) << "no tile for " << year << "-" << month << "-" << day;
        return tile;
    }
    // Touches the day's tile; the pick is saved after the picker's delay.
    void tapDay(int year, int month, int day) {
        auto tile = tileOf(year, month, day);
        Rect bounds = tile->bounds();
        host().tap(tile->convertPointToWindow({bounds.midX(), bounds.midY()}));
    }
    void savePick() { host().advance(CenterCalendarController::pickDelay + 0.1); }
};

TEST_F(CenterCalendarTest, WithNoPeriodTodayStartsOne) {
    launch(localDate(2026, 3, 10, 12));
    pressCenter();
    ASSERT_TRUE(main().centerCalendarUp());
    EXPECT_TRUE(main().isStartDate());
    EXPECT_EQ(picker().title(), t("Select Start Date Key"));
    EXPECT_EQ(picker().titleLbl().text(), t("Select Start Date Key"));
    EXPECT_EQ(picker().calViewController().selectedDate(), localDate(2026, 3, 10));
    EXPECT_FALSE(main().petalButton(MainPageKind::calendar).isEnabled());
    EXPECT_EQ(main().calHeig(), 386) << "five rows in March 2026";
    EXPECT_EQ(main().centerCalendarView().center(), (Point{160, 386}));

    tapDay(2026, 3, 10);
    EXPECT_EQ(DC::getLatestStartDay(), 0) << "held for half a second first";
    savePick();
    host().advance(0.5);

    EXPECT_EQ(DC::getLatestStartDay(), (long long)localDate(2026, 3, 10).timeIntervalSince1970());
    EXPECT_EQ(DC::getLatestEndDay(), 0);
    EXPECT_EQ(DC::getIsStartDate(), 0);
    EXPECT_FALSE(main().isStartDate());
    EXPECT_EQ(main().infoLbl().text(), t("Period day Key") + " 1");
    EXPECT_EQ(pendingReminders(), 2u);
    EXPECT_FALSE(main().centerCalendarUp());
    EXPECT_EQ(main().centerCalendarView().center(), (Point{160, 700}));
    EXPECT_TRUE(main().petalButton(MainPageKind::calendar).isEnabled());
}

TEST_F(CenterCalendarTest, EndModeOpensOnTheStartAndAllowsUpToToday) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 2, 25)));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    launch(localDate(2026, 3, 3, 12));
    pressCenter();
    EXPECT_EQ(picker().title(), t("Select End Date Key"));
    EXPECT_EQ(picker().calViewController().selectedDate(), localDate(2026, 2, 25));
    EXPECT_TRUE(tileOf(2026, 2, 24)->isShaded());
    EXPECT_FALSE(tileOf(2026, 2, 25)->isShaded());
    EXPECT_FALSE(tileOf(2026, 2, 28)->isShaded());

    // The start day itself closes a one-day period.
    tapDay(2026, 2, 25);
    savePick();
    EXPECT_EQ(DC::getLatestEndDay(), (long long)localDate(2026, 2, 25).timeIntervalSince1970());
    EXPECT_TRUE(main().isStartDate());
    EXPECT_EQ(DC::getIsStartDate(), 1);
}

TEST_F(CenterCalendarTest, EndModeRefusesFutureDays) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    launch(localDate(2026, 3, 3, 12));
    pressCenter();
    EXPECT_FALSE(tileOf(2026, 3, 3)->isShaded());
    EXPECT_TRUE(tileOf(2026, 3, 4)->isShaded());

    tapDay(2026, 3, 4);
    savePick();
    EXPECT_EQ(DC::getLatestEndDay(), 0);
    EXPECT_TRUE(main().centerCalendarUp());

    tapDay(2026, 3, 3);
    savePick();
    EXPECT_EQ(DC::getLatestEndDay(), (long long)localDate(2026, 3, 3).timeIntervalSince1970());
    EXPECT_FALSE(main().centerCalendarUp());
}

TEST_F(CenterCalendarTest, TwoQuickTapsRecordOnlyTheFirst) {
    launch(localDate(2026, 3, 10, 12));
    pressCenter();
    tapDay(2026, 3, 8);
    host().advance(0.2);
    tapDay(2026, 3, 9);
    savePick();
    EXPECT_EQ(DC::getLatestStartDay(), (long long)localDate(2026, 3, 8).timeIntervalSince1970());
    EXPECT_FALSE(picker().lock());
}

TEST_F(CenterCalendarTest, CancelSavesNothing) {
    launch(localDate(2026, 3, 10, 12));
    pressCenter();
    Button& cancel = picker().cancelButton();
    host().tap(cancel.convertPointToWindow({cancel.bounds().midX(), cancel.bounds().midY()}));
    host().advance(0.5);
    EXPECT_EQ(DC::getLatestStartDay(), 0);
    EXPECT_EQ(DC::getIsStartDate(), 1);
    EXPECT_TRUE(main().isStartDate());
    EXPECT_FALSE(main().centerCalendarUp());
}

// The picker sits higher the more rows its month needs.
TEST_F(CenterCalendarTest, CalendarHeightPlacesThePicker) {
    launch();
    const std::vector<std::pair<int, double>> cases = {{177, 342}, {221, 386}, {265, 345}};
    for (auto [height, centerY] : cases) {
        main().changeCalSize(height);
        EXPECT_EQ(main().calHeig(), centerY) << height;
    }
    main().bringCenterCalendarUp();
    main().changeCalSize(221);
    EXPECT_EQ(main().centerCalendarView().center(), (Point{160, 386}));
}

} // namespace

// The window's pick arrives after florelle-cli logged a start: the diary
// keeps one open period, and every page shows it after one notice.
TEST_F(CenterCalendarTest, APeriodStartedMeanwhileElsewhereIsShownNotStoredTwice) {
    launch(localDate(2026, 3, 10, 12));
    auto& summary = dynamic_cast<SummaryGlobalController&>(main().page(MainPageKind::summary));
    // Shown once, so that it follows the diary from then on.
    summary.view();
    int notices = 0;
    auto counting = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification, [&](const Notification&) { ++notices; });
    pressCenter();
    ASSERT_TRUE(main().isStartDate());
    ASSERT_TRUE(PeriodEntry::save(PeriodEntry::Mode::start, localDate(2026, 3, 8),
                                  Calendar::current(), clock_->now())
                    .saved());

    tapDay(2026, 3, 10);
    savePick();
    host().advance(0.5);

    EXPECT_EQ(notices, 1);
    EXPECT_EQ(PastPeriodEntry::loggedPeriods().value().size(), 1u);
    EXPECT_FALSE(main().centerCalendarUp());
    EXPECT_FALSE(main().isStartDate());
    EXPECT_EQ(main().infoLbl().text(), t("Period day Key") + " 3");
    ASSERT_EQ(summary.rows().past.size(), 1u);
    EXPECT_EQ(summary.rows().past[0].from, localDate(2026, 3, 8));
    EXPECT_EQ(pendingReminders(), 2u);
}
