#include "ChartData.h"

#include "foundation/Format.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

namespace florelle {

namespace {

struct Bounds {
    long long first;
    long long last;
};

std::vector<ChartData::Usage> usages(const char* listSql, const char* countSql,
                                     const char* nameColumn, Bounds days) {
    std::vector<ChartData::Usage> used;
    for (const Row& row :
         SQLiteAccess::selectManyRowsWithSQL(format(listSql, days.first, days.last))) {
        ChartData::Usage usage;
        usage.id = static_cast<int>(row.integer("id"));
        usage.name = row.text(nameColumn).value_or("");
        usage.imageName = row.text("imgName").value_or("");
        usage.days = static_cast<int>(Row::integerValue(
            SQLiteAccess::selectOneValueSQL(format(countSql, days.first, days.last, usage.id))));
        used.push_back(std::move(usage));
    }
    return used;
}

std::vector<Row> periodRows(Bounds instants) {
    return SQLiteAccess::selectManyRowsWithSQL(
        format("SELECT * FROM periods WHERE startDate BETWEEN %d AND %d ORDER BY startDate ASC",
               instants.first, instants.last));
}

long long seconds(Date date) {
    return static_cast<long long>(date.timeIntervalSince1970());
}

} // namespace

ChartData ChartData::read(const ChartWindow& window, const Calendar& calendar) {
    // Day rows are found by their keys, periods by their stored instants;
    // both cover whole local days.
    const Bounds dayKeys{DatabaseController::dayKeyForDate(window.fromDate),
                         DatabaseController::dayKeyForDate(window.toDate)};
    const long long firstInstant = seconds(calendar.startOfDay(window.fromDate));
    const long long lastInstant = seconds(calendar.endOfDay(window.toDate));
    const long long lookAhead =
        seconds(calendar.endOfDay(calendar.addingDays(window.toDate, cycleLookAheadDays)));

    ChartData data;
    data.symptoms = usages(
        "SELECT DISTINCT symptoms.id, symptoms.symptomName, symptoms.imgName FROM ((usedSymptoms "
        "INNER JOIN dates ON (usedSymptoms.dateId = dates.id AND dates.date BETWEEN %d AND "
        "%d))INNER JOIN symptoms ON usedSymptoms.symptomId = symptoms.id)",
        "SELECT COUNT(dates.id) AS num FROM (usedSymptoms INNER JOIN dates ON (usedSymptoms.dateId "
        "= dates.id AND ((dates.date BETWEEN %d AND %d) AND (usedSymptoms.symptomId = %d))))",
        "symptomName", dayKeys);
    data.moods = usages(
        "SELECT DISTINCT moods.id, moods.moodName, moods.imgName FROM ((usedMoods INNER JOIN dates "
        "ON (usedMoods.dateId = dates.id AND dates.date BETWEEN %d AND %d))INNER JOIN moods ON "
        "usedMoods.moodId = moods.id)",
        "SELECT COUNT(dates.id) AS num FROM (usedMoods INNER JOIN dates ON (usedMoods.dateId = "
        "dates.id AND (dates.date BETWEEN %d AND %d) AND (usedMoods.moodId = %d)))",
        "moodName", dayKeys);

    for (const Row& row : periodRows({firstInstant, lookAhead})) {
        data.cycleStarts.push_back(Date(static_cast<double>(row.integer("startDate"))));
    }
    for (const Row& row : periodRows({firstInstant, lastInstant})) {
        data.periods.push_back({Date(static_cast<double>(row.integer("startDate"))),
                                Date(static_cast<double>(row.integer("endDate")))});
    }

    for (const Row& row : SQLiteAccess::selectManyRowsWithSQL(
             format("SELECT weights.weight, dates.date FROM weights INNER JOIN dates ON "
                    "(weights.dateId = dates.id AND dates.date BETWEEN %d AND %d) ORDER BY "
                    "dates.date ASC",
                    dayKeys.first, dayKeys.last))) {
        double weight = row.real("weight");
        if (weight > 0) {
            data.weights.push_back({weight, Date(static_cast<double>(row.integer("date")))});
        }
    }
    return data;
}

} // namespace florelle
