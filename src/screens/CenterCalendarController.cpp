// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterCalendarController.h"

#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Label.h"

namespace florelle {

namespace {

// The bar over the month calendar: the title where the month's name stands
// below it, "Cancel" at the right.
constexpr double barHeight = 36;
const Rect titleFrame{63, 6, 185, 24};
const Rect cancelFrame{252, 4, 64, 28};
const Color barColor{0.16, 0.18, 0.24, 0.92};

} // namespace

std::shared_ptr<CenterCalendarController>
CenterCalendarController::create(CenterCalendarDelegate& delegate) {
    std::shared_ptr<CenterCalendarController> controller(new CenterCalendarController(delegate));
    controller->calViewController_->setDelegate(controller);
    controller->calViewController_->setDataSource(controller->dataSource_);
    controller->build();
    return controller;
}

void CenterCalendarController::build() {
    view_ = std::make_shared<View>(Rect(0, 0, 320, 460));
    auto bar = std::make_shared<View>(Rect(0, 0, 320, barHeight));
    bar->setBackgroundColor(barColor);
    view_->addSubview(bar);
    titleLbl_ = std::make_shared<Label>(titleFrame);
    titleLbl_->setFont(Font::boldSystemFont(15));
    titleLbl_->setTextColor(Color::white());
    titleLbl_->setBackgroundColor(Color::clear());
    titleLbl_->setTextAlignment(TextAlignment::Center);
    bar->addSubview(titleLbl_);
    cancelButton_ = std::make_shared<Button>(cancelFrame);
    cancelButton_->onTouchUpInside = [this] { cancelClicked(); };
    cancelLbl_ = std::make_shared<Label>(cancelButton_->bounds());
    cancelLbl_->setFont(Font::boldSystemFont(13));
    cancelLbl_->setTextColor(Color::white());
    cancelLbl_->setBackgroundColor(Color::clear());
    cancelLbl_->setTextAlignment(TextAlignment::Center);
    cancelLbl_->setText(Strings::localized("Cancel Key"));
    cancelLbl_->setUserInteractionEnabled(false);
    cancelButton_->addSubview(cancelLbl_);
    bar->addSubview(cancelButton_);
    calViewController_->setViewFrame(Rect(0, barHeight, 320, 460 - barHeight));
    view_->addSubview(calViewController_->view());
}

CenterCalendarController::CenterCalendarController(CenterCalendarDelegate& delegate)
    : delegate_(delegate), dataSource_(std::make_shared<CenterCalendarDataSource>()),
      calViewController_(CalViewController::create()) {}

void CenterCalendarController::changeCenterCal(bool startMode, Date selectedDate, bool) {
    Calendar calendar = Calendar::current();
    Date now = Clock::current()->now();
    PeriodEntry::Mode mode = startMode ? PeriodEntry::Mode::start : PeriodEntry::Mode::end;
    title_ = Strings::localized(startMode ? "Select Start Date Key" : "Select End Date Key");
    titleLbl_->setText(title_);
    // The same limits the save applies, so that every unshaded day saves.
    // Unread limits shade nothing; the save checks them again and refuses.
    auto limits = PeriodEntry::limits(mode, calendar, now);
    dataSource_->setShadeDate(limits ? limits->earliest.value_or(Date(0)) : Date(0));
    dataSource_->setShadeFutureDate(now);
    calViewController_->reloadData();
    setCalendarWithDate(selectedDate);
}

void CenterCalendarController::setCalendarWithDate(Date date) {
    calViewController_->showAndSelectDate(date);
}

void CenterCalendarController::cancelClicked() {
    delegate_.bringCenterCalendarDown(pickedDate_, false);
}

void CenterCalendarController::selectDateTmr() {
    delegate_.bringCenterCalendarDown(pickedDate_, true);
    lock_ = false;
}

void CenterCalendarController::didSelectDate(Date date) {
    if (lock_) {
        return;
    }
    lock_ = true;
    pickedDate_ = date;
    delegate_.resetAnim();
    std::weak_ptr<CenterCalendarController> self = weak_from_this();
    pickTmr_ = Timer(pickDelay, false, [self] {
        if (auto controller = self.lock()) {
            controller->selectDateTmr();
        }
    });
}

void CenterCalendarController::changeCalSize(int height) {
    delegate_.changeCalSize(height);
}

} // namespace florelle
