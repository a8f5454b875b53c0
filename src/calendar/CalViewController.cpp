// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalViewController.h"

#include "foundation/Clock.h"

namespace florelle {

std::shared_ptr<CalViewController> CalViewController::create(std::optional<Date> selectedDate) {
    return std::shared_ptr<CalViewController>(
        new CalViewController(selectedDate.value_or(Clock::current()->now())));
}

CalViewController::CalViewController(Date selectedDate)
    : logic_(std::make_shared<CalLogic>(selectedDate)), initialDate_(selectedDate) {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    timeChangeObservation_ =
        center.addObserver(NotificationCenter::significantTimeChangeNotification,
                           [this](const Notification&) { significantTimeChangeOccurred(); });
    dataSourceObservation_ = center.addObserver(dataSourceChangedNotification,
                                                [this](const Notification&) { reloadData(); });
}

void CalViewController::setDelegate(std::weak_ptr<CalViewControllerDelegate> delegate) {
    delegate_ = std::move(delegate);
}

void CalViewController::setDataSource(std::weak_ptr<CalDataSource> dataSource) {
    dataSource_ = std::move(dataSource);
}

const std::shared_ptr<CalView>& CalViewController::view() {
    if (!view_) {
        loadView();
    }
    return view_;
}

void CalViewController::loadView() {
    view_ = std::make_shared<CalView>(viewFrame_, weak_from_this(), logic_);
    view_->jumpToSelectedMonth();
    view_->gridView()->selectDate(CalDate::dateFromDate(initialDate_));
    reloadData();
}

Date CalViewController::selectedDate() const {
    if (view_ && view_->gridView()->selectedTile()) {
        return view_->gridView()->selectedTile()->date()->date();
    }
    return CalDate::dateFromDate(initialDate_).date();
}

void CalViewController::showAndSelectDate(Date date) {
    if (!view_) {
        logic_->moveToMonthForDate(date);
        initialDate_ = date;
        return;
    }
    if (view_->gridView()->isTransitioning()) {
        return;
    }
    logic_->moveToMonthForDate(date);
    view_->jumpToSelectedMonth();
    view_->gridView()->selectDate(CalDate::dateFromDate(date));
    reloadData();
}

void CalViewController::reloadData() {
    auto dataSource = dataSource_.lock();
    if (!dataSource || !view_) {
        return;
    }
    dataSource->presentingDatesFrom(logic_->fromDate(), logic_->toDate(), *this);
}

void CalViewController::loadedDataSource(CalDataSource& dataSource) {
    if (view_) {
        view_->gridView()->applyMarks(dataSource);
    }
}

void CalViewController::showFollowingMonth() {
    view();
    logic_->advanceToFollowingMonth();
    view_->slide(CalGridView::SlideDirection::up);
    reloadData();
    if (auto delegate = delegate_.lock()) {
        delegate->reloadInfoForDate(selectedDate());
    }
}

void CalViewController::showPreviousMonth() {
    view();
    logic_->retreatToPreviousMonth();
    view_->slide(CalGridView::SlideDirection::down);
    reloadData();
    if (auto delegate = delegate_.lock()) {
        delegate->reloadInfoForDate(selectedDate());
    }
}

void CalViewController::significantTimeChangeOccurred() {
    // The cache may hear the notice after this controller does.
    CalDate::cacheTodaysDate();
    if (!view_) {
        return;
    }
    // The month and the pick are kept as days: after a change of time zone
    // the stored midnight may fall on another day in the new zone.
    CalDate month = logic_->daysInSelectedMonth().front();
    auto selected = view_->gridView()->selectedTile();
    std::optional<CalDate> selectedDay = selected ? selected->date() : std::nullopt;
    logic_->moveToMonthForDate(month.date());
    view_->jumpToSelectedMonth();
    if (selectedDay) {
        view_->gridView()->selectDate(*selectedDay);
    }
    reloadData();
}

void CalViewController::didSelectDate(const CalDate& date, bool byTouch) {
    if (!byTouch) {
        return;
    }
    if (auto delegate = delegate_.lock()) {
        delegate->didSelectDate(date.date());
    }
}

void CalViewController::changeCalSize(int height) {
    if (auto delegate = delegate_.lock()) {
        delegate->changeCalSize(height);
    }
}

} // namespace florelle
