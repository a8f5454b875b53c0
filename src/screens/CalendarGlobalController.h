// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainPage.h"
#include "MainPageHost.h"
#include "PageHelpOverlay.h"
#include "calendar/CalViewController.h"
#include "calendar/CalViewControllerDelegate.h"
#include "calendar/CalendarDataSource.h"
#include "foundation/NotificationCenter.h"

#include <memory>

namespace florelle {

class DayDetailsPanel;

// The calendar page of the main screen's strip: the month with every mark
// the diary gives (logged and predicted period, fertile and ovulation days,
// intimate days, days with entries) and, under it, the details of the picked
// day. Every day can be picked, future ones too; picking the same day again
// opens the daily log on it. The page shows the diary anew whenever it is
// told the diary changed.
class CalendarGlobalController : public MainPage, public CalViewControllerDelegate {
public:
    explicit CalendarGlobalController(std::weak_ptr<MainPageHost> host);
    ~CalendarGlobalController() override;

    void viewDidLoad() override;

    // Shows and selects the date's day with fresh marks, and its details;
    // ignored by the month while it slides.
    void setCalendarWithDate(Date date) override;
    // The details of the date's day.
    void reloadDataForDate(Date date);
    // The epoch: the next pick is a first one.
    void setLastSelectedDate(Date date) override { lastSelectedDate_ = date; }
    Date lastSelectedDate() const { return lastSelectedDate_; }

    void infoBtnClicked() override;
    void dismissInfoView() override;
    bool isInfo() const { return calendarInfoView_ && calendarInfoView_->isShowing(); }

    // The arrows move the picked day by a day or a week, the page keys by a
    // month, each as a first pick; Enter opens the daily log on it.
    bool keyPressed(Key key) override;

    void didSelectDate(Date date) override;
    void reloadInfoForDate(Date date) override;
    void changeCalSize(int height) override;

    CalViewController& calViewController() const { return *calViewController_; }
    DayDetailsPanel& calBottomView() const { return *calBottomView_; }
    PageHelpOverlay& calendarInfoView() const { return *calendarInfoView_; }

private:
    void buildInfo();
    // After the diary changed elsewhere: the month on show keeps its place.
    void diaryChanged();

    std::weak_ptr<MainPageHost> host_;
    std::shared_ptr<CalendarDataSource> dataSource_;
    std::shared_ptr<CalViewController> calViewController_;
    std::shared_ptr<DayDetailsPanel> calBottomView_;
    std::shared_ptr<PageHelpOverlay> calendarInfoView_;
    // The day key of the last day picked by touch; the epoch means none.
    Date lastSelectedDate_;
    // The day the details show.
    Date shownDate_;
    NotificationCenter::Observation diaryChanges_;
};

} // namespace florelle
