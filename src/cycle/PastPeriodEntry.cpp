#include "PastPeriodEntry.h"

#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr Date noEnd;

long long wholeSeconds(Date date) {
    return static_cast<long long>(date.timeIntervalSince1970());
}

// Picks arrive as local midnights; defaults carry the time they were made at.
Date dayOf(Date date, const Calendar& calendar) {
    return date == noEnd ? noEnd : calendar.startOfDay(date);
}

} // namespace

std::vector<PastPeriodEntry::Period> PastPeriodEntry::loggedPeriods() {
    std::vector<Period> periods;
    for (const Row& row : SQLiteAccess::selectManyRowsWithSQL(
             "SELECT startDate, endDate FROM periods ORDER BY startDate ASC")) {
        periods.push_back({Date(row.real("startDate")), Date(row.real("endDate"))});
    }
    return periods;
}

std::optional<PastPeriodEntry::Refusal> PastPeriodEntry::check(const Entry& entry,
                                                               const std::vector<Period>& periods,
                                                               const Calendar& calendar) {
    if (entry.end != noEnd && calendar.daysFrom(entry.start, entry.end) < 0) {
        return Refusal::endBeforeStart;
    }
    std::vector<Period> others;
    std::copy_if(
        periods.begin(), periods.end(), std::back_inserter(others), [&](const Period& period) {
            return entry.isNew || wholeSeconds(period.start) != wholeSeconds(entry.oldDate);
        });
    for (const Period& other : others) {
        if (calendar.daysFrom(other.start, entry.start) == 0) {
            return Refusal::sameStart;
        }
    }
    for (const Period& other : others) {
        bool startsBeforeOtherEnds =
            other.end == noEnd || calendar.daysFrom(entry.start, other.end) >= 0;
        bool otherStartsBeforeEnd =
            entry.end == noEnd || calendar.daysFrom(other.start, entry.end) >= 0;
        if (startsBeforeOtherEnds && otherStartsBeforeEnd) {
            return Refusal::overlap;
        }
    }
    return std::nullopt;
}

PastPeriodEntry::Outcome PastPeriodEntry::save(Entry entry, bool isStartDate,
                                               const Calendar& calendar) {
    Outcome outcome{std::nullopt, isStartDate, false};
    entry.start = dayOf(entry.start, calendar);
    entry.end = dayOf(entry.end, calendar);
    std::vector<Period> periods = loggedPeriods();

    if (entry.mode == Mode::endOnly && !isStartDate) {
        if (entry.end == noEnd) {
            return outcome;
        }
        // The end closes the open period, whatever start the caller showed.
        auto open = std::find_if(periods.rbegin(), periods.rend(),
                                 [](const Period& period) { return period.end == noEnd; });
        if (open != periods.rend()) {
            entry.start = open->start;
            entry.oldDate = open->start;
            entry.isNew = false;
        }
        if ((outcome.refusal = check(entry, periods, calendar))) {
            return outcome;
        }
        DatabaseController::saveIsStartDate(1);
        DatabaseController::saveEndPeriod(entry.end);
        outcome.isStartDate = true;
        outcome.saved = true;
        return outcome;
    }

    if ((outcome.refusal = check(entry, periods, calendar))) {
        return outcome;
    }
    outcome.saved = true;
    if (entry.isNew) {
        DatabaseController::saveLog(entry.start, entry.end);
        if (entry.mode == Mode::startOnly) {
            DatabaseController::saveIsStartDate(0);
            outcome.isStartDate = false;
        }
    } else {
        DatabaseController::updatePeriodWithStartDate(entry.start, entry.end, entry.oldDate);
        if (wholeSeconds(entry.start) == DatabaseController::getLatestStartDay() &&
            entry.end != noEnd) {
            DatabaseController::saveIsStartDate(1);
            outcome.isStartDate = true;
        }
    }
    return outcome;
}

const char* PastPeriodEntry::messageKey(Refusal refusal) {
    switch (refusal) {
    case Refusal::endBeforeStart:
        return "Period ends before it starts Key";
    case Refusal::sameStart:
        return "Period starts with another Key";
    case Refusal::overlap:
        return "Period overlaps another Key";
    }
    return "Period overlaps another Key";
}

} // namespace florelle
