#include "CalendarDataSource.h"

#include "storage/DatabaseController.h"

namespace florelle {

std::vector<Date> CalendarDataSource::periodDatesFrom(Date from, Date to) {
    return DatabaseController::getPeriodDatesFrom(from, to);
}

std::vector<Date> CalendarDataSource::fertileDatesFrom(Date from, Date to) {
    return DatabaseController::getFertileDatesFrom(from, to);
}

std::vector<Date> CalendarDataSource::ovulationDatesFrom(Date from, Date to) {
    return DatabaseController::getOvulationDatesFrom(from, to);
}

std::vector<Date> CalendarDataSource::intimateDatesFrom(Date from, Date to) {
    return DatabaseController::getIntimateDatesFrom(from, to);
}

std::vector<Date> CalendarDataSource::markedDatesFrom(Date from, Date to) {
    return DatabaseController::getMarkedDatesFrom(from, to);
}

} // namespace florelle
