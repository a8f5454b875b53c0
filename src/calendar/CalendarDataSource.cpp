// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarDataSource.h"

#include "foundation/Clock.h"
#include "storage/DatabaseController.h"

namespace florelle {

// The month only shows marks: where the diary cannot be read it shows none,
// and the failure is said where the diary is opened.

std::vector<Date> CalendarDataSource::periodDatesFrom(Date from, Date to) {
    return DatabaseController::getPeriodDatesFrom(from, to, Clock::current()->now())
        .value_or(std::vector<Date>{});
}

std::vector<Date> CalendarDataSource::fertileDatesFrom(Date from, Date to) {
    return DatabaseController::getFertileDatesFrom(from, to, Clock::current()->now())
        .value_or(std::vector<Date>{});
}

std::vector<Date> CalendarDataSource::ovulationDatesFrom(Date from, Date to) {
    return DatabaseController::getOvulationDatesFrom(from, to, Clock::current()->now())
        .value_or(std::vector<Date>{});
}

std::vector<Date> CalendarDataSource::intimateDatesFrom(Date from, Date to) {
    return DatabaseController::getIntimateDatesFrom(from, to).value_or(std::vector<Date>{});
}

std::vector<Date> CalendarDataSource::markedDatesFrom(Date from, Date to) {
    return DatabaseController::getMarkedDatesFrom(from, to).value_or(std::vector<Date>{});
}

} // namespace florelle
