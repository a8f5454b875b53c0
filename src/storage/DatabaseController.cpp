// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatabaseController.h"

#include "BodyUnits.h"
#include "foundation/Calendar.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

namespace florelle {

namespace {

constexpr long long secondsPerDay = 86400;

long long truncatedSeconds(Date date) {
    return static_cast<long long>(std::trunc(date.timeIntervalSince1970()));
}

StoreResult<long long> integerResult(std::string_view sql, const SqlParams& params = {}) {
    auto value = SQLiteAccess::selectOneValueSQL(sql, params);
    if (!value) {
        return value.error();
    }
    return Row::integerValue(*value);
}

StoreResult<double> realResult(std::string_view sql, const SqlParams& params) {
    auto value = SQLiteAccess::selectOneValueSQL(sql, params);
    if (!value) {
        return value.error();
    }
    return Row::doubleValue(*value);
}

StoreResult<std::vector<std::string>> textsOf(std::string_view sql) {
    auto values = SQLiteAccess::selectManyValuesWithSQL(sql);
    if (!values) {
        return values.error();
    }
    std::vector<std::string> texts;
    for (auto& value : *values) {
        texts.push_back(value.value_or("0"));
    }
    return texts;
}

StoreResult<std::vector<Date>> datesOf(std::string_view sql, const SqlParams& params) {
    auto values = SQLiteAccess::selectManyValuesWithSQL(sql, params);
    if (!values) {
        return values.error();
    }
    std::vector<Date> dates;
    for (auto& value : *values) {
        dates.emplace_back(static_cast<double>(Row::integerValue(value)));
    }
    return dates;
}

constexpr std::string_view settingSql = "SELECT value FROM settings WHERE name = ?";

StoreResult<int> intSetting(std::string_view key) {
    auto value = integerResult(settingSql, {key});
    if (!value) {
        return value.error();
    }
    return DatabaseController::clampSetting(key, *value);
}

StoreStatus saveIntSetting(std::string_view key, long long value) {
    return SQLiteAccess::updateWithSQL("UPDATE settings SET value = ? WHERE name = ?",
                                       {value, key});
}

// A read used for a write must have worked; its failure stops the write.
template <typename T> std::optional<StoreError> failed(const StoreResult<T>& result) {
    return result ? std::nullopt : std::optional<StoreError>(result.error());
}

// Runs `change` in one transaction and commits it when it worked.
template <typename Change> StoreStatus inTransaction(Change change) {
    auto transaction = Transaction::begin();
    if (!transaction) {
        SQLiteAccess::reportWriteFailure(transaction.error());
        return transaction.error();
    }
    if (StoreStatus status = change(); !status) {
        // A read inside the change may be what failed: the user hears of it
        // all the same.
        SQLiteAccess::reportWriteFailure(status.error());
        return status;
    }
    return transaction.value().commit();
}

StoreResult<bool> isMetric() {
    auto units = DatabaseController::getSi();
    if (!units) {
        return units.error();
    }
    return *units != 0;
}

// Counts the day's data one up when a kind of data came, one down when it went.
StoreStatus keepCount(bool hadBefore, bool hasNow, int dateId) {
    if (hadBefore == hasNow) {
        return {};
    }
    return DatabaseController::saveHasData(hasNow, dateId);
}

StoreResult<bool> anyRow(std::string_view sql, int dateId) {
    auto count = integerResult(sql, {dateId});
    if (!count) {
        return count.error();
    }
    return *count > 0;
}

constexpr std::string_view moodCountSql = "SELECT COUNT(*) FROM usedMoods WHERE dateId = ?";
constexpr std::string_view symptomCountSql = "SELECT COUNT(*) FROM usedSymptoms WHERE dateId = ?";

// One change of the day's moods or symptoms with its count kept in step.
StoreStatus changeUsed(std::string_view countSql, std::string_view changeSql, int itemId,
                       int dateId) {
    return inTransaction([&]() -> StoreStatus {
        auto before = anyRow(countSql, dateId);
        if (!before.ok()) {
            return before.error();
        }
        if (auto changed = SQLiteAccess::updateWithSQL(changeSql, {dateId, itemId}); !changed) {
            return changed;
        }
        auto after = anyRow(countSql, dateId);
        if (!after.ok()) {
            return after.error();
        }
        return keepCount(*before, *after, dateId);
    });
}

// Weight and temperature: the stored metric value, 0 for none.
StoreStatus saveMeasure(std::string_view readSql, std::string_view writeSql, double metric,
                        int dateId) {
    return inTransaction([&]() -> StoreStatus {
        auto before = realResult(readSql, {dateId});
        if (!before) {
            return before.error();
        }
        if (auto saved = SQLiteAccess::updateWithSQL(writeSql, {metric, dateId}); !saved) {
            return saved;
        }
        return keepCount(*before != 0, metric != 0, dateId);
    });
}

constexpr std::string_view weightSql = "SELECT weight FROM weights WHERE dateId = ?";
constexpr std::string_view temperatureSql = "SELECT temperature FROM temperatures WHERE dateId = ?";

} // namespace

int DatabaseController::clampSetting(std::string_view key, long long value) {
    struct Range {
        std::string_view key;
        long long low;
        long long high;
    };
    static constexpr Range ranges[] = {
        {"CYCLE_LENGTH", 1, 59},
        {"PERIOD_LENGTH", 1, 19},
        {"OVULATION_DAY", 1, 59},
        {"PERIOD_NOTIFICATION", 0, 29},
        {"FERTILE_NOTIFICATION", 0, 29},
        {"SKIN", 0, 2},
        {"SI_UNITS", 0, 1},
        {"PREGNANT", 0, 1},
        {"IS_START_DATE", 0, 1},
        {"FIRST_TIME_ON", 0, 1},
    };
    for (const Range& range : ranges) {
        if (range.key == key) {
            return static_cast<int>(std::clamp(value, range.low, range.high));
        }
    }
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

// --- day records ---

long long DatabaseController::dayKeyForDate(Date date) {
    return dayKeyForDate(date, Calendar::current());
}

long long DatabaseController::dayKeyForDate(Date date, const Calendar& calendar) {
    long long seconds = truncatedSeconds(calendar.endOfDay(date));
    long long days = seconds / secondsPerDay - (seconds % secondsPerDay < 0 ? 1 : 0);
    return days * secondsPerDay;
}

StoreResult<int> DatabaseController::getDateIdForDate(Date date) {
    auto id = integerResult("SELECT id FROM dates WHERE date = ?", {dayKeyForDate(date)});
    if (!id) {
        return id.error();
    }
    return static_cast<int>(*id);
}

StoreStatus DatabaseController::saveDate(Date date) {
    return StoreStatus::of(SQLiteAccess::insertWithSQL("INSERT INTO dates VALUES (NULL, ?, 0)",
                                                       {dayKeyForDate(date)}));
}

StoreResult<long long> DatabaseController::getDateForDateId(int dateId) {
    return integerResult("SELECT date FROM dates WHERE id = ?", {dateId});
}

StoreResult<std::vector<Row>> DatabaseController::getDateids() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT id FROM dates");
}

StoreResult<int> DatabaseController::openDay(Date date) {
    auto existing = getDateIdForDate(date);
    if (!existing || *existing != 0) {
        return existing;
    }
    // The day and its companions come together: another process opening the
    // same day waits for this one and then finds it.
    int dateId = 0;
    StoreStatus opened = inTransaction([&]() -> StoreStatus {
        auto id = getDateIdForDate(date);
        if (!id || *id != 0) {
            dateId = id.value_or(0);
            return StoreStatus::of(id);
        }
        if (auto saved = saveDate(date); !saved) {
            return saved;
        }
        id = getDateIdForDate(date);
        if (!id) {
            return id.error();
        }
        dateId = *id;
        for (auto make : {makeNewNote, makeNewIntimate, makeNewWeight, makeNewTemp}) {
            if (auto made = make(dateId); !made) {
                return made;
            }
        }
        return {};
    });
    if (!opened) {
        return opened.error();
    }
    return dateId;
}

StoreStatus DatabaseController::makeNewNote(int dateId) {
    return StoreStatus::of(
        SQLiteAccess::insertWithSQL("INSERT INTO note VALUES (?, ?, 0)", {dateId, ""}));
}

StoreStatus DatabaseController::makeNewIntimate(int dateId) {
    return StoreStatus::of(
        SQLiteAccess::insertWithSQL("INSERT INTO intimate VALUES (?, 0)", {dateId}));
}

StoreStatus DatabaseController::makeNewWeight(int dateId) {
    return StoreStatus::of(
        SQLiteAccess::insertWithSQL("INSERT INTO weights VALUES (0, ?)", {dateId}));
}

StoreStatus DatabaseController::makeNewTemp(int dateId) {
    return StoreStatus::of(
        SQLiteAccess::insertWithSQL("INSERT INTO temperatures VALUES (0, ?)", {dateId}));
}

StoreResult<Row::Value> DatabaseController::getNoteForDateId(int dateId) {
    return SQLiteAccess::selectOneValueSQL("SELECT noteText FROM note WHERE dateId = ?", {dateId});
}

StoreResult<long long> DatabaseController::getNoteEditTime(int dateId) {
    return integerResult("SELECT editTime FROM note WHERE dateId = ?", {dateId});
}

StoreResult<std::vector<Row>> DatabaseController::getNoEmptyNotes() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM note WHERE noteText <> ''");
}

StoreStatus DatabaseController::saveNote(std::string_view text, int dateId, Date now) {
    return inTransaction([&]() -> StoreStatus {
        auto oldText = getNoteForDateId(dateId);
        if (!oldText) {
            return oldText.error();
        }
        if (auto saved = SQLiteAccess::updateWithSQL(
                "UPDATE note SET noteText = ?, editTime = ? WHERE dateId = ? ",
                {text, now.timeIntervalSince1970(), dateId});
            !saved) {
            return saved;
        }
        bool hadText = !oldText->value_or("").empty();
        return keepCount(hadText, !text.empty(), dateId);
    });
}

StoreResult<bool> DatabaseController::getIntimateForDate(int dateId) {
    auto value = integerResult("SELECT isIntimate FROM intimate WHERE dateId = ?", {dateId});
    if (!value) {
        return value.error();
    }
    return *value == 1;
}

StoreStatus DatabaseController::saveIntimate(int isIntimate, int dateId) {
    return SQLiteAccess::updateWithSQL("UPDATE intimate SET isIntimate = ? WHERE dateId = ? ",
                                       {isIntimate, dateId});
}

StoreResult<std::vector<Date>> DatabaseController::getIntimateDatesFrom(Date from, Date to) {
    return datesOf("SELECT date FROM dates INNER JOIN intimate ON id = dateId "
                   "WHERE (date BETWEEN ? AND ? AND isIntimate = 1)",
                   {truncatedSeconds(from), truncatedSeconds(to)});
}

StoreResult<std::vector<Row>> DatabaseController::collectAllMoods() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM moods ORDER BY id ASC");
}

StoreResult<std::vector<Row>> DatabaseController::collectAllSymptoms() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM symptoms ORDER BY id ASC");
}

StoreResult<std::vector<Row>> DatabaseController::getMoodsForDateId(int dateId) {
    return SQLiteAccess::selectManyRowsWithSQL(
        "SELECT id, moodName, imgName FROM usedMoods INNER JOIN moods ON moodId = id WHERE "
        "dateId = ? ORDER BY id ASC",
        {dateId});
}

StoreResult<std::vector<Row>> DatabaseController::getSymptomsForDateId(int dateId) {
    return SQLiteAccess::selectManyRowsWithSQL(
        "SELECT id, symptomName, imgName FROM usedSymptoms INNER JOIN symptoms ON "
        "symptomId = id WHERE dateId = ? ORDER BY id ASC",
        {dateId});
}

StoreStatus DatabaseController::saveUsedMood(int moodId, int dateId) {
    return changeUsed(moodCountSql, "INSERT INTO usedMoods VALUES (?, ?)", moodId, dateId);
}

StoreStatus DatabaseController::saveUsedSymptom(int symptomId, int dateId) {
    return changeUsed(symptomCountSql, "INSERT INTO usedSymptoms VALUES (?, ?)", symptomId, dateId);
}

StoreStatus DatabaseController::deleteUsedMood(int moodId, int dateId) {
    return changeUsed(moodCountSql, "DELETE FROM usedMoods WHERE dateId = ? AND moodId = ?", moodId,
                      dateId);
}

StoreStatus DatabaseController::deleteUsedSymptom(int symptomId, int dateId) {
    return changeUsed(symptomCountSql,
                      "DELETE FROM usedSymptoms WHERE dateId = ? AND symptomId = ?", symptomId,
                      dateId);
}

StoreStatus DatabaseController::saveHasData(bool added, int dateId) {
    return SQLiteAccess::updateWithSQL(
        added ? "UPDATE dates SET hasData = (hasData + 1) WHERE id = ?"
              : "UPDATE dates SET hasData = (hasData - 1) WHERE (id = ? AND hasData > 0)",
        {dateId});
}

StoreStatus DatabaseController::saveNewHasData(int count, int dateId) {
    return SQLiteAccess::updateWithSQL("UPDATE dates SET hasData = ? WHERE id = ?",
                                       {count, dateId});
}

StoreResult<double> DatabaseController::getWeightForDateId(int dateId) {
    auto metric = isMetric();
    auto kilograms = realResult(weightSql, {dateId});
    if (!metric.ok() || !kilograms) {
        return metric.ok() ? kilograms.error() : metric.error();
    }
    return BodyUnits::shownWeight(*kilograms, *metric);
}

StoreStatus DatabaseController::saveWeight(double weight, int dateId) {
    auto metric = isMetric();
    if (!metric.ok()) {
        return metric.error();
    }
    return saveMeasure(weightSql, "UPDATE weights SET weight = ? WHERE dateId = ?",
                       BodyUnits::storedWeight(weight, *metric), dateId);
}

StoreResult<double> DatabaseController::getTemperatureForDateId(int dateId) {
    auto metric = isMetric();
    auto celsius = realResult(temperatureSql, {dateId});
    if (!metric.ok() || !celsius) {
        return metric.ok() ? celsius.error() : metric.error();
    }
    return BodyUnits::shownTemperature(*celsius, *metric);
}

StoreStatus DatabaseController::saveTemperature(double temperature, int dateId) {
    auto metric = isMetric();
    if (!metric.ok()) {
        return metric.error();
    }
    return saveMeasure(temperatureSql, "UPDATE temperatures SET temperature = ? WHERE dateId = ?",
                       BodyUnits::storedTemperature(temperature, *metric), dateId);
}

// --- periods ---

StoreStatus DatabaseController::saveStartPeriod(Date start) {
    return StoreStatus::of(SQLiteAccess::insertWithSQL(
        "INSERT INTO periods VALUES (NULL, ?, 0)", {std::round(start.timeIntervalSince1970())}));
}

StoreStatus DatabaseController::saveEndPeriod(Date end) {
    return SQLiteAccess::updateWithSQL(
        "UPDATE periods SET endDate = ? WHERE id = (SELECT id FROM periods WHERE endDate = 0 "
        "ORDER BY startDate DESC LIMIT 1)",
        {std::round(end.timeIntervalSince1970())});
}

StoreStatus DatabaseController::saveLog(Date start, Date end) {
    return StoreStatus::of(SQLiteAccess::insertWithSQL(
        "INSERT INTO periods VALUES (NULL, ?, ?)",
        {std::round(start.timeIntervalSince1970()), std::round(end.timeIntervalSince1970())}));
}

StoreStatus DatabaseController::updatePeriodWithStartDate(Date newStart, Date newEnd,
                                                          Date oldStart) {
    return SQLiteAccess::updateWithSQL(
        "UPDATE periods SET startDate = ?, endDate = ? WHERE startDate = ?",
        {newStart.timeIntervalSince1970(), newEnd.timeIntervalSince1970(),
         oldStart.timeIntervalSince1970()});
}

StoreStatus DatabaseController::deletePeriodWithStartDate(long long start) {
    return SQLiteAccess::deleteWithSQL("DELETE FROM periods WHERE startDate = ?", {start});
}

StoreResult<long long> DatabaseController::getLatestStartDay() {
    return integerResult("SELECT startDate FROM periods ORDER BY startDate DESC LIMIT 1");
}

StoreResult<long long> DatabaseController::getLatestEndDay() {
    return integerResult("SELECT endDate FROM periods ORDER BY startDate DESC LIMIT 1");
}

StoreResult<std::vector<std::string>> DatabaseController::getStartDates() {
    return textsOf("SELECT startDate FROM (SELECT startDate FROM periods ORDER BY startDate DESC "
                   "LIMIT 12) ORDER BY startDate ASC");
}

StoreResult<std::vector<std::string>> DatabaseController::getEndDates() {
    return textsOf("SELECT endDate FROM (SELECT startDate, endDate FROM periods ORDER BY startDate "
                   "DESC LIMIT 12) ORDER BY startDate ASC");
}

StoreResult<std::vector<Row>> DatabaseController::getPeriodDatesBtwStart(Date from, Date to) {
    long long start = truncatedSeconds(from);
    long long end = truncatedSeconds(to);
    return SQLiteAccess::selectManyRowsWithSQL(
        "SELECT startDate, endDate FROM periods WHERE ((startDate BETWEEN ?1 AND ?2) OR "
        "(endDate BETWEEN ?1 AND ?2)) ORDER BY startDate DESC",
        {start, end});
}

StoreResult<std::vector<Row>> DatabaseController::getAllPeriods() {
    return SQLiteAccess::selectManyRowsWithSQL(
        "SELECT startDate, endDate FROM periods ORDER BY startDate ASC");
}

// --- settings ---

StoreResult<Row::Value> DatabaseController::textSetting(std::string_view key) {
    return SQLiteAccess::selectOneValueSQL(settingSql, {key});
}

StoreStatus DatabaseController::saveTextSetting(std::string_view key, std::string_view text) {
    if (auto added = SQLiteAccess::insertWithSQL(
            "INSERT INTO settings (name, value) SELECT ?1, '' WHERE NOT EXISTS "
            "(SELECT 1 FROM settings WHERE name = ?1)",
            {key});
        !added) {
        return added.error();
    }
    return SQLiteAccess::updateWithSQL("UPDATE settings SET value = ? WHERE name = ?", {text, key});
}

StoreResult<Row::Value> DatabaseController::getLocalPasscode() {
    return textSetting("APP_PASSWORD");
}

StoreStatus DatabaseController::saveLocalPasscode(int passcode) {
    return saveIntSetting("APP_PASSWORD", passcode);
}

StoreStatus DatabaseController::deleteLocalPasscode() {
    return SQLiteAccess::updateWithSQL("UPDATE settings SET value='' WHERE name='APP_PASSWORD'");
}

StoreResult<Row::Value> DatabaseController::getUsername() {
    return textSetting("GOOGLE_USERNAME");
}

StoreStatus DatabaseController::saveGoogleUsername(std::string_view username) {
    return saveTextSetting("GOOGLE_USERNAME", username);
}

StoreResult<Row::Value> DatabaseController::getPassword() {
    return textSetting("GOOGLE_PASS");
}

StoreStatus DatabaseController::saveGooglePassword(std::string_view password) {
    return saveTextSetting("GOOGLE_PASS", password);
}

StoreResult<int> DatabaseController::isFirstTimeOn() {
    return intSetting("FIRST_TIME_ON");
}

StoreStatus DatabaseController::saveFirstTimeOn(int value) {
    return saveIntSetting("FIRST_TIME_ON", value);
}

StoreResult<int> DatabaseController::getIsFirstSync() {
    return intSetting("FIRST_TIME_SYNC");
}

StoreStatus DatabaseController::saveFirstTimeSync(int value) {
    return saveIntSetting("FIRST_TIME_SYNC", value);
}

StoreResult<int> DatabaseController::getSi() {
    return intSetting("SI_UNITS");
}

StoreStatus DatabaseController::saveSi(int value) {
    return saveIntSetting("SI_UNITS", value);
}

StoreResult<int> DatabaseController::getPregnant() {
    return intSetting("PREGNANT");
}

StoreStatus DatabaseController::savePregnant(int value, Date now) {
    return inTransaction([&]() -> StoreStatus {
        if (auto saved = saveIntSetting("PREGNANT", value); !saved) {
            return saved;
        }
        return saveIntSetting("PREGNANT_START_DATE", value == 1 ? truncatedSeconds(now) : 0);
    });
}

StoreResult<long long> DatabaseController::getPregnantStartDate() {
    return integerResult(settingSql, {"PREGNANT_START_DATE"});
}

StoreResult<int> DatabaseController::getPeriodNotification() {
    return intSetting("PERIOD_NOTIFICATION");
}

StoreResult<int> DatabaseController::getFertileNotification() {
    return intSetting("FERTILE_NOTIFICATION");
}

StoreStatus DatabaseController::saveNotification(int kind, int days) {
    if (kind == 0) {
        return saveIntSetting("PERIOD_NOTIFICATION", days);
    }
    if (kind == 1) {
        return saveIntSetting("FERTILE_NOTIFICATION", days);
    }
    return {};
}

StoreResult<int> DatabaseController::getOvulationDay() {
    return intSetting("OVULATION_DAY");
}

StoreStatus DatabaseController::saveOvulationDay(int days) {
    return saveIntSetting("OVULATION_DAY", days == 0 ? 1 : days);
}

StoreResult<int> DatabaseController::getPeriodLength() {
    return intSetting("PERIOD_LENGTH");
}

StoreStatus DatabaseController::savePeriodLength(int days) {
    return saveIntSetting("PERIOD_LENGTH", days == 0 ? 1 : days);
}

StoreResult<int> DatabaseController::getCycleLength() {
    return intSetting("CYCLE_LENGTH");
}

StoreStatus DatabaseController::saveCycleLength(int days) {
    return saveIntSetting("CYCLE_LENGTH", days == 0 ? 1 : days);
}

StoreResult<int> DatabaseController::getCycle() {
    return getCycleLength();
}

StoreResult<bool> DatabaseController::getIsStartDate() {
    auto value = intSetting("IS_START_DATE");
    if (!value) {
        return value.error();
    }
    return *value != 0;
}

StoreStatus DatabaseController::saveIsStartDate(int value) {
    return saveIntSetting("IS_START_DATE", value);
}

StoreResult<int> DatabaseController::getSkin() {
    return intSetting("SKIN");
}

StoreStatus DatabaseController::saveSkin(int skin) {
    return saveIntSetting("SKIN", skin);
}

StoreStatus DatabaseController::saveAge(int age) {
    return saveIntSetting("AGE", age);
}

StoreResult<int> DatabaseController::getCurrentAppVersion() {
    return intSetting("APP_VERSION");
}

StoreStatus DatabaseController::saveCurrentAppVersion(int version) {
    return SQLiteAccess::updateWithSQL("UPDATE settings SET value = ? WHERE name = 'APP_VERSION'",
                                       {std::to_string(version)});
}

StoreResult<std::string> DatabaseController::outsideChangeStamp() {
    // Read first: a replaced file is opened anew by this read.
    auto version = integerResult("PRAGMA data_version");
    if (!version) {
        return version.error();
    }
    struct stat info {};
    auto path = SQLiteAccess::pathToDB();
    if (!path || stat(path->c_str(), &info) != 0) {
        info = {};
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(*version);
}

} // namespace florelle
