// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportData.h"

#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <functional>
#include <map>

namespace florelle {

StoreResult<ReportData> ReportData::read(Date from, Date to, Date firstDay, Date lastDay) {
    const long long firstKey = DatabaseController::dayKeyForDate(firstDay);
    const long long lastKey = DatabaseController::dayKeyForDate(lastDay);
    auto periods = DatabaseController::getPeriodDatesBtwStart(from, to);
    // The day key and catalogue name of every use, by day and then by
    // catalogue id.
    auto moods = SQLiteAccess::selectManyRowsWithSQL(
        "SELECT dates.date AS day, moods.moodName AS name FROM usedMoods "
        "INNER JOIN dates ON usedMoods.dateId = dates.id INNER JOIN moods ON "
        "usedMoods.moodId = moods.id WHERE dates.date BETWEEN ? AND ? "
        "ORDER BY dates.date DESC, moods.id ASC",
        {firstKey, lastKey});
    auto symptoms = SQLiteAccess::selectManyRowsWithSQL(
        "SELECT dates.date AS day, symptoms.symptomName AS name FROM usedSymptoms INNER JOIN "
        "dates ON usedSymptoms.dateId = dates.id INNER JOIN symptoms ON usedSymptoms.symptomId "
        "= symptoms.id WHERE dates.date BETWEEN ? AND ? ORDER BY dates.date DESC, symptoms.id ASC",
        {firstKey, lastKey});
    if (auto failure = firstFailure(periods, moods, symptoms)) {
        return *failure;
    }

    ReportData data;
    for (const Row& row : *periods) {
        data.periods.push_back({Date(static_cast<double>(row.integer("startDate"))),
                                Date(static_cast<double>(row.integer("endDate")))});
    }
    std::map<long long, LoggedDay, std::greater<>> days;
    auto collect = [&days](const std::vector<Row>& rows,
                           std::vector<std::string> LoggedDay::*names) {
        for (const Row& row : rows) {
            LoggedDay& day = days[row.integer("day")];
            day.dayKey = row.integer("day");
            (day.*names).push_back(row.text("name").value_or(""));
        }
    };
    collect(*moods, &LoggedDay::moodNames);
    collect(*symptoms, &LoggedDay::symptomNames);
    for (auto& [key, day] : days) {
        data.days.push_back(std::move(day));
    }
    return data;
}

} // namespace florelle
