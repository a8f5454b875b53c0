// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatabaseController.h"
#include "foundation/Calendar.h"
#include "storage/SQLiteAccess.h"

namespace florelle {

namespace {

using Period = Predictions::Period;

Date storedDate(long long seconds) {
    return Date(static_cast<double>(seconds));
}

Period periodOf(const Row& row) {
    return {storedDate(row.integer("startDate")), storedDate(row.integer("endDate"))};
}

// The settings and the twelve most recent periods in one statement: a row
// for each period, or a single row without one.
StoreResult<Predictions::Inputs> settingsAndRecentPeriods() {
    auto rows = SQLiteAccess::selectManyRowsWithSQL(
        "SELECT lengths.cycle AS cycle, lengths.periodLength AS periodLength, "
        "lengths.ovulationDay AS ovulationDay, recent.startDate AS startDate, "
        "recent.endDate AS endDate FROM "
        "(SELECT (SELECT value FROM settings WHERE name = 'CYCLE_LENGTH') AS cycle, "
        "(SELECT value FROM settings WHERE name = 'PERIOD_LENGTH') AS periodLength, "
        "(SELECT value FROM settings WHERE name = 'OVULATION_DAY') AS ovulationDay) AS lengths "
        "LEFT JOIN (SELECT startDate, endDate FROM periods ORDER BY startDate DESC LIMIT 12) "
        "AS recent ON 1 ORDER BY recent.startDate ASC");
    if (!rows) {
        return rows.error();
    }
    Predictions::Inputs inputs;
    if (rows->empty()) {
        return inputs;
    }
    const Row& first = rows->front();
    inputs.cycle = DatabaseController::clampSetting("CYCLE_LENGTH", first.integer("cycle"));
    inputs.periodLength =
        DatabaseController::clampSetting("PERIOD_LENGTH", first.integer("periodLength"));
    inputs.ovulationDay =
        DatabaseController::clampSetting("OVULATION_DAY", first.integer("ovulationDay"));
    for (const Row& row : *rows) {
        if (row.text("startDate")) {
            inputs.periods.push_back(periodOf(row));
        }
    }
    return inputs;
}

// Reads what a span operation needs and hands it to `rule`.
template <typename Rule>
StoreResult<std::vector<Date>> predictedInSpan(const Predictions::Span& span, Date now, Rule rule) {
    auto inputs = DatabaseController::getPredictionInputs(now);
    auto rows = DatabaseController::getPeriodDatesBtwStart(span.first, span.last);
    if (auto failure = firstFailure(inputs, rows)) {
        return *failure;
    }
    std::vector<Period> inSpan;
    for (const Row& row : *rows) {
        inSpan.push_back(periodOf(row));
    }
    return rule(*inputs, span, inSpan, Calendar::current());
}

// Reads the inputs and hands them to `rule`.
template <typename Rule> auto predicted(Date now, Rule rule) {
    auto inputs = DatabaseController::getPredictionInputs(now);
    using Result = StoreResult<decltype(rule(*inputs, Calendar::current()))>;
    if (!inputs) {
        return Result(inputs.error());
    }
    return Result(rule(*inputs, Calendar::current()));
}

} // namespace

StoreResult<Predictions::Inputs> DatabaseController::getPredictionInputs(Date now) {
    auto inputs = settingsAndRecentPeriods();
    if (inputs) {
        inputs.value().now = now;
    }
    return inputs;
}

StoreResult<DatabaseController::CycleStatistics> DatabaseController::getCycleStatistics() {
    // The statistics look at no moment.
    return predicted(Date(), Predictions::cycleStatistics);
}

StoreResult<std::vector<Date>> DatabaseController::getAllPeriodDates(Date now) {
    return predicted(now, Predictions::allPeriodDates);
}

StoreResult<std::vector<Date>> DatabaseController::getAllFertileDates(Date now) {
    return predicted(now, Predictions::allFertileDates);
}

StoreResult<int> DatabaseController::getRemainingDays(Date now) {
    return predicted(now, Predictions::remainingDays);
}

StoreResult<std::vector<Date>> DatabaseController::getPeriodDatesFrom(Date from, Date to,
                                                                      Date now) {
    return predictedInSpan(Predictions::wholeDays(from, to, Calendar::current()), now,
                           Predictions::periodDates);
}

StoreResult<std::vector<Date>> DatabaseController::getFertileDatesFrom(Date from, Date to,
                                                                       Date now) {
    return predictedInSpan(Predictions::wholeDays(from, to, Calendar::current()), now,
                           Predictions::fertileDates);
}

StoreResult<std::vector<Date>> DatabaseController::getOvulationDatesFrom(Date from, Date to,
                                                                         Date now) {
    return predictedInSpan(Predictions::instants(from, to), now, Predictions::ovulationDates);
}

StoreResult<std::vector<Date>> DatabaseController::getMarkedDatesFrom(Date from, Date to) {
    auto values = SQLiteAccess::selectManyValuesWithSQL(
        "SELECT date FROM dates WHERE ((date BETWEEN ? AND ?) AND hasData > 0)",
        {dayKeyForDate(from), dayKeyForDate(to)});
    if (!values) {
        return values.error();
    }
    std::vector<Date> list;
    for (auto& value : *values) {
        list.push_back(storedDate(Row::integerValue(value)));
    }
    return list;
}

} // namespace florelle
