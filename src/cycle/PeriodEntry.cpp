#include "PeriodEntry.h"

#include "storage/DatabaseController.h"

namespace florelle {

PeriodEntry::Mode PeriodEntry::currentMode() {
    return DatabaseController::getIsStartDate() ? Mode::start : Mode::end;
}

PeriodEntry::Limits PeriodEntry::limits(Mode mode, const Calendar& calendar, Date now) {
    Limits limits{std::nullopt, calendar.startOfDay(now)};
    if (mode == Mode::start) {
        if (long long end = DatabaseController::getLatestEndDay(); end != 0) {
            limits.earliest = calendar.startOfDay(calendar.addingDays(Date(double(end)), 1));
        }
    } else if (long long start = DatabaseController::getLatestStartDay(); start != 0) {
        limits.earliest = calendar.startOfDay(Date(double(start)));
    }
    return limits;
}

std::optional<PeriodEntry::Refusal> PeriodEntry::check(const Limits& limits, Date day,
                                                       const Calendar& calendar) {
    if (limits.earliest && calendar.daysFrom(*limits.earliest, day) < 0) {
        return Refusal::beforeEarliest;
    }
    if (calendar.daysFrom(limits.latest, day) > 0) {
        return Refusal::afterToday;
    }
    return std::nullopt;
}

std::optional<PeriodEntry::Refusal> PeriodEntry::save(Mode mode, Date day, const Calendar& calendar,
                                                      Date now) {
    if (auto refusal = check(limits(mode, calendar, now), day, calendar)) {
        return refusal;
    }
    Date midnight = calendar.startOfDay(day);
    if (mode == Mode::start) {
        DatabaseController::saveIsStartDate(0);
        DatabaseController::saveStartPeriod(midnight);
    } else {
        DatabaseController::saveIsStartDate(1);
        DatabaseController::saveEndPeriod(midnight);
    }
    return std::nullopt;
}

} // namespace florelle
