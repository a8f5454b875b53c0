// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartData.h"

#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

namespace florelle {

namespace {

struct Bounds {
    long long first;
    long long last;
};

StoreResult<std::vector<ChartData::Usage>> usages(const char* listSql, const char* countSql,
                                                  const char* nameColumn, Bounds days) {
    auto rows = SQLiteAccess::selectManyRowsWithSQL(listSql, {days.first, days.last});
    if (!rows) {
        return rows.error();
    }
    std::vector<ChartData::Usage> used;
    for (const Row& row : *rows) {
        ChartData::Usage usage;
        usage.id = static_cast<int>(row.integer("id"));
        usage.name = row.text(nameColumn).value_or("");
        usage.imageName = row.text("imgName").value_or("");
        auto count = SQLiteAccess::selectOneValueSQL(countSql, {days.first, days.last, usage.id});
        if (!count) {
            return count.error();
        }
        usage.days = static_cast<int>(Row::integerValue(*count));
        used.push_back(std::move(usage));
    }
    return used;
}

StoreResult<std::vector<Row>> periodRows(Bounds instants) {
    return SQLiteAccess::selectManyRowsWithSQL(
        "SELECT * FROM periods WHERE startDate BETWEEN ? AND ? ORDER BY startDate ASC",
        {instants.first, instants.last});
}

long long seconds(Date date) {
    return static_cast<long long>(date.timeIntervalSince1970());
}

} // namespace

StoreResult<ChartData> ChartData::read(const ChartWindow& window, const Calendar& calendar) {
    // Day rows are found by their keys, periods by their stored instants;
    // both cover whole local days.
    const Bounds dayKeys{DatabaseController::dayKeyForDate(window.fromDate),
                         DatabaseController::dayKeyForDate(window.toDate)};
    const long long firstInstant = seconds(calendar.startOfDay(window.fromDate));
    const long long lastInstant = seconds(calendar.endOfDay(window.toDate));
    const long long lookAhead =
        seconds(calendar.endOfDay(calendar.addingDays(window.toDate, cycleLookAheadDays)));

    auto symptoms = usages(
        "SELECT DISTINCT symptoms.id, symptoms.symptomName, symptoms.imgName FROM ((usedSymptoms "
        "INNER JOIN dates ON (usedSymptoms.dateId = dates.id AND dates.date BETWEEN ? AND "
        "?))INNER JOIN symptoms ON usedSymptoms.symptomId = symptoms.id)",
        "SELECT COUNT(dates.id) AS num FROM (usedSymptoms INNER JOIN dates ON (usedSymptoms.dateId "
        "= dates.id AND ((dates.date BETWEEN ? AND ?) AND (usedSymptoms.symptomId = ?))))",
        "symptomName", dayKeys);
    auto moods = usages(
        "SELECT DISTINCT moods.id, moods.moodName, moods.imgName FROM ((usedMoods INNER JOIN dates "
        "ON (usedMoods.dateId = dates.id AND dates.date BETWEEN ? AND ?))INNER JOIN moods ON "
        "usedMoods.moodId = moods.id)",
        "SELECT COUNT(dates.id) AS num FROM (usedMoods INNER JOIN dates ON (usedMoods.dateId = "
        "dates.id AND (dates.date BETWEEN ? AND ?) AND (usedMoods.moodId = ?)))",
        "moodName", dayKeys);
    auto starts = periodRows({firstInstant, lookAhead});
    auto periods = periodRows({firstInstant, lastInstant});
    auto weights = SQLiteAccess::selectManyRowsWithSQL(
        "SELECT weights.weight, dates.date FROM weights INNER JOIN dates ON "
        "(weights.dateId = dates.id AND dates.date BETWEEN ? AND ?) ORDER BY "
        "dates.date ASC",
        {dayKeys.first, dayKeys.last});
    for (const StoreStatus& read :
         {StoreStatus::of(symptoms), StoreStatus::of(moods), StoreStatus::of(starts),
          StoreStatus::of(periods), StoreStatus::of(weights)}) {
        if (!read) {
            return read.error();
        }
    }

    ChartData data;
    data.symptoms = *symptoms;
    data.moods = *moods;
    for (const Row& row : *starts) {
        data.cycleStarts.push_back(Date(static_cast<double>(row.integer("startDate"))));
    }
    for (const Row& row : *periods) {
        data.periods.push_back({Date(static_cast<double>(row.integer("startDate"))),
                                Date(static_cast<double>(row.integer("endDate")))});
    }
    for (const Row& row : *weights) {
        double weight = row.real("weight");
        if (weight > 0) {
            data.weights.push_back({weight, Date(static_cast<double>(row.integer("date")))});
        }
    }
    return data;
}

} // namespace florelle
