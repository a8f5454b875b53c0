// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeriodCalendars.h"

#include "CenterCalendarController.h"
#include "DiaryActions.h"
#include "SummaryCalendarController.h"
#include "cycle/PastPeriodEntry.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/AlertView.h"

namespace florelle {

namespace {

const Rect summaryParked{0, 462, 320, 460};
const Rect summaryRaised{0, 0, 320, 460};
constexpr double summaryDownSeconds = 0.3;
const Rect centerParked{0, 480, 320, 460};
constexpr double centerParkedY = 700;
// A summary calendar whose top is at or above this y is raised.
constexpr double summaryRaisedY = 450;

std::string text(std::string_view key) {
    return Strings::localized(key);
}

} // namespace

PeriodCalendars::PeriodCalendars(View& screen, PeriodCalendarsHost& host)
    : screen_(screen), host_(host) {
    summaryCalendarView_ = std::make_shared<View>(summaryParked);
    screen.addSubview(summaryCalendarView_);
    summaryCalendar_ = SummaryCalendarController::create(*this);
    summaryCalendarView_->addSubview(summaryCalendar_->view());
    centerCalendarView_ = std::make_shared<View>(centerParked);
    screen.addSubview(centerCalendarView_);
    centerCalendar_ = CenterCalendarController::create(*this);
    centerCalendarView_->addSubview(centerCalendar_->view());
}

PeriodCalendars::~PeriodCalendars() = default;

void PeriodCalendars::centerPressed() {
    Date now = Clock::current()->now();
    bool start = DiaryActions::nextPeriodEntry() == PeriodEntry::Mode::start;
    Date day = start ? now
                     : Date(double(DatabaseController::getLatestStartDay().value_or(
                           static_cast<long long>(now.timeIntervalSince1970()))));
    callCenterCalendarWithOpt(start, Calendar::current().endOfDay(day), false);
}

void PeriodCalendars::callCenterCalendarWithOpt(bool startMode, Date selectedDate,
                                                bool disableDelete) {
    pickingStart_ = startMode;
    calSelectedDate_ = selectedDate;
    centerCalendar_->changeCenterCal(startMode, selectedDate, disableDelete);
    bringCenterCalendarUp();
}

void PeriodCalendars::bringCenterCalendarUp() {
    View::animate(slideSeconds, [this] { centerCalendarView_->setCenter({160, calHeig_}); });
    screen_.bringSubviewToFront(centerCalendarView_.get());
    centerCalendarUp_ = true;
    host_.centerCalendarRaised();
}

void PeriodCalendars::bringCenterCalendarDown(Date date, bool save) {
    if (save) {
        PeriodEntry::Mode mode = pickingStart_ ? PeriodEntry::Mode::start : PeriodEntry::Mode::end;
        auto outcome = DiaryActions::logPeriodDay(mode, date, Clock::current()->now());
        if (!outcome.saved() && !outcome.changedElsewhere()) {
            return; // the calendar stays up; a failure is told by the diary's alert
        }
    }
    View::animate(slideSeconds, [this] { centerCalendarView_->setCenter({160, centerParkedY}); });
    centerCalendarUp_ = false;
    host_.centerCalendarLowered();
}

void PeriodCalendars::changeCalSize(int height) {
    calHeig_ = height > 230 ? height + 80 : height + 165;
    if (centerCalendarUp_) {
        centerCalendarView_->setCenter({160, calHeig_});
    }
}

void PeriodCalendars::bringSummaryCalendarUp(int skin, Date startDate, Date endDate, int mode,
                                             bool withDelete, bool isNew) {
    summaryCalendar_->setSkin(skin);
    summaryCalendar_->reloadData(startDate, endDate, mode, withDelete, isNew);
    summaryCalendar_->viewWillAppear();
    screen_.bringSubviewToFront(summaryCalendarView_.get());
    View::animate(slideSeconds, [this] { summaryCalendarView_->setFrame(summaryRaised); });
}

void PeriodCalendars::sendSummaryCalendarDown(Date startDate, Date endDate, bool isNew,
                                              Date oldDate, int mode) {
    PastPeriodEntry::Entry entry{startDate, endDate, isNew, oldDate,
                                 static_cast<PastPeriodEntry::Mode>(mode)};
    PastPeriodEntry::Outcome outcome = DiaryActions::savePastPeriod(entry);
    if (outcome.error) {
        return; // the diary's alert says why; the entry stays on screen
    }
    if (outcome.refusal) {
        auto alert = std::make_shared<AlertView>(
            text("Period not saved Key"), text(PastPeriodEntry::messageKey(*outcome.refusal)),
            std::weak_ptr<AlertViewDelegate>(), text("OK Key"), std::vector<std::string>{});
        alert->show();
        return;
    }
    lowerSummaryCalendar();
    host_.pastPeriodEditEnded();
}

void PeriodCalendars::summaryCalendarCancelClicked() {
    lowerSummaryCalendar();
    host_.pastPeriodEditEnded();
}

void PeriodCalendars::lowerSummaryCalendar() {
    View::animate(summaryDownSeconds, [this] { summaryCalendarView_->setFrame(summaryParked); });
}

void PeriodCalendars::deleteDate() {
    auto start = static_cast<long long>(calSelectedDate_.timeIntervalSince1970());
    if (DiaryActions::deletePeriod(start)) {
        host_.pastPeriodEditEnded();
    }
}

bool PeriodCalendars::summaryCalendarUp() const {
    return summaryCalendarView_->frame().minY() <= summaryRaisedY;
}

bool PeriodCalendars::isUp() const {
    return centerCalendarUp_ || summaryCalendarUp();
}

} // namespace florelle
