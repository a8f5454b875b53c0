#include "CenterCalendarController.h"

#include "MainViewController.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"

namespace florelle {

std::shared_ptr<CenterCalendarController>
CenterCalendarController::create(MainViewController& main) {
    std::shared_ptr<CenterCalendarController> controller(new CenterCalendarController(main));
    controller->calViewController_->setDelegate(controller);
    controller->calViewController_->setDataSource(controller->dataSource_);
    return controller;
}

CenterCalendarController::CenterCalendarController(MainViewController& main)
    : main_(main), dataSource_(std::make_shared<CenterCalendarDataSource>()),
      calViewController_(CalViewController::create()) {}

void CenterCalendarController::changeCenterCal(bool startMode, Date selectedDate, bool) {
    Calendar calendar = Calendar::current();
    Date now = Clock::current()->now();
    PeriodEntry::Mode mode = startMode ? PeriodEntry::Mode::start : PeriodEntry::Mode::end;
    title_ = Strings::localized(startMode ? "Select Start Date Key" : "Select End Date Key");
    // The same limits the save applies, so that every unshaded day saves.
    PeriodEntry::Limits limits = PeriodEntry::limits(mode, calendar, now);
    dataSource_->setShadeDate(limits.earliest.value_or(Date(0)));
    dataSource_->setShadeFutureDate(now);
    calViewController_->reloadData();
    setCalendarWithDate(selectedDate);
}

void CenterCalendarController::setCalendarWithDate(Date date) {
    calViewController_->showAndSelectDate(date);
}

void CenterCalendarController::cancelClicked() {
    main_.bringCenterCalendarDown(pickedDate_, false);
}

void CenterCalendarController::selectDateTmr() {
    main_.bringCenterCalendarDown(pickedDate_, true);
    lock_ = false;
}

void CenterCalendarController::didSelectDate(Date date) {
    if (lock_) {
        return;
    }
    lock_ = true;
    pickedDate_ = date;
    main_.resetAnim();
    std::weak_ptr<CenterCalendarController> self = weak_from_this();
    pickTmr_ = Timer(pickDelay, false, [self] {
        if (auto controller = self.lock()) {
            controller->selectDateTmr();
        }
    });
}

void CenterCalendarController::changeCalSize(int height) {
    main_.changeCalSize(height);
}

} // namespace florelle
