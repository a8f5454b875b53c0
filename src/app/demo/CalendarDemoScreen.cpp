// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarDemoScreen.h"

#include "calendar/CalAdditions.h"
#include "calendar/CalDateFormatter.h"
#include "calendar/CalViewController.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "storage/DatabaseController.h"

namespace florelle {

namespace {

constexpr double statusBarHeight = 20;

std::string dayText(Date date) {
    static const CalDateFormatter formatter("EEEE d MMMM yyyy");
    return formatter.stringFromDate(date);
}

} // namespace

CalendarDemoScreen::CalendarDemoScreen(const Rect& frame)
    : View(frame), dataSource_(std::make_shared<CalendarDataSource>()),
      pickLabel_(std::make_shared<Label>()) {}

void CalendarDemoScreen::build() {
    setBackgroundColor(Color::white(0.93));
    controller_ = CalViewController::create(Clock::current()->now());
    controller_->setViewFrame(
        Rect(0, statusBarHeight, bounds().width(), bounds().height() - statusBarHeight));
    controller_->setDelegate(std::static_pointer_cast<CalendarDemoScreen>(shared_from_this()));
    controller_->setDataSource(dataSource_);
    pickLabel_->setFont(Font::systemFont(15));
    pickLabel_->setTextColor(Color::white(0.3));
    pickLabel_->setTextAlignment(TextAlignment::Center);
    pickLabel_->setText("Touch a day");
    addSubview(controller_->view());
    addSubview(pickLabel_);
    changeCalSize(static_cast<int>(controller_->view()->gridView()->frame().height()));
}

void CalendarDemoScreen::seedDiary(Date today) {
    using DC = DatabaseController;
    if (!DC::getStartDates().value_or(std::vector<std::string>{"unreadable"}).empty()) {
        return;
    }
    const Calendar& calendar = CalAdditions::currentCalendar();
    auto day = [&](int offset) { return calendar.addingDays(calendar.startOfDay(today), offset); };
    bool seeded = DC::saveCycleLength(28) && DC::savePeriodLength(5) && DC::saveOvulationDay(14) &&
                  DC::saveLog(day(-40), day(-36)) && DC::saveLog(day(-12), day(-8));
    for (int offset : {-38, -9, -3}) {
        seeded = seeded && DC::saveIntimate(1, DC::openDay(day(offset)).value_or(0));
    }
    for (int offset : {-30, -11, -2, 0}) {
        seeded = seeded && DC::saveNote("Demo note", DC::openDay(day(offset)).value_or(0),
                                        Clock::current()->now());
    }
    if (!seeded) {
        Log::write("The demo diary could not be filled; the calendar shows what it holds");
    }
}

void CalendarDemoScreen::didSelectDate(Date date) {
    pickLabel_->setText("Picked: " + dayText(date));
}

void CalendarDemoScreen::reloadInfoForDate(Date date) {
    pickLabel_->setText("Month of " + dayText(date));
}

void CalendarDemoScreen::changeCalSize(int height) {
    double top = statusBarHeight + CalHeaderView::height + height + 12;
    pickLabel_->setFrame(Rect(0, top, bounds().width(), 24));
}

} // namespace florelle
