// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarGlobalController.h"

#include "DayDetails.h"
#include "DayDetailsPanel.h"
#include "DiaryActions.h"
#include "calendar/CalGridView.h"
#include "calendar/CalView.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"

namespace florelle {

CalendarGlobalController::CalendarGlobalController(std::weak_ptr<MainPageHost> host)
    : host_(std::move(host)), dataSource_(std::make_shared<CalendarDataSource>()) {
    diaryChanges_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification, [this](const Notification&) { diaryChanged(); });
}

CalendarGlobalController::~CalendarGlobalController() = default;

void CalendarGlobalController::viewDidLoad() {
    Date now = Clock::current()->now();
    // Not a day key, so the first pick is never taken for a second one.
    lastSelectedDate_ = now;
    // The month reports its height while it is built: the panel must be there.
    calBottomView_ = std::make_shared<DayDetailsPanel>();
    calBottomView_->infoBtn().onTouchUpInside = [this] { infoBtnClicked(); };
    calViewController_ = CalViewController::create(now);
    calViewController_->setDelegate(
        std::static_pointer_cast<CalendarGlobalController>(shared_from_this()));
    calViewController_->setDataSource(dataSource_);
    calViewController_->setViewFrame(Rect(0, 0, 320, MainPage::visibleHeight));
    const auto& month = calViewController_->view();
    month->setBackgroundColor(Color::clear());
    month->setAlpha(1);
    view()->addSubview(month);
    view()->addSubview(calBottomView_);
    buildInfo();
    reloadDataForDate(now);
}

void CalendarGlobalController::buildInfo() {
    calendarInfoView_ = std::make_shared<PageHelpOverlay>(
        std::vector<const char*>{"FirstLblInfoCalendar Key"}, 260);
    calendarInfoView_->onDismissed = [this] {
        if (auto host = host_.lock()) {
            host->switchFirtsUseLbls(-1);
            host->activateFirstAnimTmr();
        }
    };
    view()->addSubview(calendarInfoView_);
}

void CalendarGlobalController::setCalendarWithDate(Date date) {
    view();
    calViewController_->showAndSelectDate(date);
    reloadDataForDate(date);
}

void CalendarGlobalController::reloadDataForDate(Date date) {
    view();
    shownDate_ = date;
    auto details = DayDetails::read(date);
    if (details) {
        calBottomView_->show(*details);
    } else {
        // The diary's alert says what is wrong.
        calBottomView_->showNothing();
    }
}

void CalendarGlobalController::diaryChanged() {
    if (!isViewLoaded()) {
        return;
    }
    calViewController_->reloadData();
    reloadDataForDate(shownDate_);
}

// The month reports every touch on a day, a finger resting on it included;
// the same day reported again is the second pick that opens its log.
void CalendarGlobalController::didSelectDate(Date date) {
    Date key(static_cast<double>(DatabaseController::dayKeyForDate(date)));
    if (key == lastSelectedDate_) {
        if (auto host = host_.lock()) {
            host->scrollToNotesWithDate(key);
        }
        return;
    }
    lastSelectedDate_ = key;
    reloadDataForDate(key);
}

bool CalendarGlobalController::keyPressed(Key key) {
    if (!isViewLoaded() || isInfo()) {
        return false;
    }
    // A month sliding under a finger keeps its pick until it stands.
    if (calViewController_->view()->gridView()->isTransitioning()) {
        return true;
    }
    Date picked = calViewController_->selectedDate();
    if (key == Key::enter) {
        if (auto host = host_.lock()) {
            host->scrollToNotesWithDate(
                Date(static_cast<double>(DatabaseController::dayKeyForDate(picked))));
        }
        return true;
    }
    Calendar calendar = Calendar::current();
    Date next;
    switch (key) {
    case Key::left:
        next = calendar.addingDays(picked, -1);
        break;
    case Key::right:
        next = calendar.addingDays(picked, 1);
        break;
    case Key::up:
        next = calendar.addingDays(picked, -7);
        break;
    case Key::down:
        next = calendar.addingDays(picked, 7);
        break;
    case Key::pageUp:
        next = calendar.addingMonths(picked, -1);
        break;
    case Key::pageDown:
        next = calendar.addingMonths(picked, 1);
        break;
    case Key::enter:
        return false;
    }
    setCalendarWithDate(next);
    lastSelectedDate_ = Date(static_cast<double>(DatabaseController::dayKeyForDate(next)));
    return true;
}

void CalendarGlobalController::reloadInfoForDate(Date date) {
    if (auto host = host_.lock()) {
        host->reloadInfoForDate(date);
    }
}

void CalendarGlobalController::changeCalSize(int height) {
    calBottomView_->placeUnderGrid(height);
}

void CalendarGlobalController::infoBtnClicked() {
    view();
    calendarInfoView_->show();
}

void CalendarGlobalController::dismissInfoView() {
    if (isViewLoaded()) {
        calendarInfoView_->dismiss();
    }
}

} // namespace florelle
