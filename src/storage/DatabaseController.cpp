#include "DatabaseController.h"

#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "storage/SQLiteAccess.h"

#include <cmath>

namespace florelle {

namespace {

constexpr long long secondsPerDay = 86400;
constexpr double poundsPerKilogram = 2.204;

long long truncatedSeconds(Date date) {
    return static_cast<long long>(std::trunc(date.timeIntervalSince1970()));
}

long long integerResult(std::string_view sql) {
    return Row::integerValue(SQLiteAccess::selectOneValueSQL(sql));
}

std::vector<Row::Value> valuesOf(std::string_view sql) {
    return SQLiteAccess::selectManyValuesWithSQL(sql);
}

std::vector<std::string> textsOf(std::string_view sql) {
    std::vector<std::string> texts;
    for (auto& value : valuesOf(sql)) {
        texts.push_back(value.value_or("0"));
    }
    return texts;
}

int intSetting(std::string_view key) {
    return static_cast<int>(
        integerResult(format("SELECT value FROM settings WHERE name = '%@'", key)));
}

std::optional<std::string> textSetting(std::string_view key) {
    return SQLiteAccess::selectOneValueSQL(
        format("SELECT value FROM settings WHERE name = '%@'", key));
}

void saveIntSetting(std::string_view key, long long value) {
    SQLiteAccess::updateWithSQL(
        format("UPDATE settings SET value = %d WHERE name = '%@'", value, key));
}

void saveTextSetting(std::string_view key, std::string_view text) {
    SQLiteAccess::updateWithSQL(format("UPDATE settings SET value = '%@' WHERE name = '%@'",
                                       SQLiteAccess::escapeString(text), key));
}

bool isMetric() {
    return DatabaseController::getSi() != 0;
}

} // namespace

// --- day records ---

long long DatabaseController::dayKeyForDate(Date date) {
    long long seconds = truncatedSeconds(Calendar::current().endOfDay(date));
    long long days = seconds / secondsPerDay - (seconds % secondsPerDay < 0 ? 1 : 0);
    return days * secondsPerDay;
}

int DatabaseController::getDateIdForDate(Date date) {
    return static_cast<int>(
        integerResult(format("SELECT id FROM dates WHERE date = %d", dayKeyForDate(date))));
}

void DatabaseController::saveDate(Date date) {
    SQLiteAccess::insertWithSQL(
        format("INSERT INTO dates VALUES (NULL, %d, 0)", dayKeyForDate(date)));
}

long long DatabaseController::getDateForDateId(int dateId) {
    return integerResult(format("SELECT date FROM dates WHERE id = %d", dateId));
}

std::vector<Row> DatabaseController::getDateids() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT id FROM dates");
}

int DatabaseController::openDay(Date date) {
    int dateId = getDateIdForDate(date);
    if (dateId != 0) {
        return dateId;
    }
    saveDate(date);
    dateId = getDateIdForDate(date);
    if (dateId != 0) {
        makeNewNote(dateId);
        makeNewIntimate(dateId);
        makeNewWeight(dateId);
        makeNewTemp(dateId);
    }
    return dateId;
}

void DatabaseController::makeNewNote(int dateId) {
    SQLiteAccess::insertWithSQL(format("INSERT INTO note VALUES (%d, '%@', 0)", dateId, ""));
}

void DatabaseController::makeNewIntimate(int dateId) {
    SQLiteAccess::insertWithSQL(format("INSERT INTO intimate VALUES (%d, 0)", dateId));
}

void DatabaseController::makeNewWeight(int dateId) {
    SQLiteAccess::insertWithSQL(format("INSERT INTO weights VALUES (0, %d)", dateId));
}

void DatabaseController::makeNewTemp(int dateId) {
    SQLiteAccess::insertWithSQL(format("INSERT INTO temperatures VALUES (0, %d)", dateId));
}

std::optional<std::string> DatabaseController::getNoteForDateId(int dateId) {
    return SQLiteAccess::selectOneValueSQL(
        format("SELECT noteText FROM note WHERE dateId = %d", dateId));
}

long long DatabaseController::getNoteEditTime(int dateId) {
    return integerResult(format("SELECT editTime FROM note WHERE dateId = %d", dateId));
}

std::vector<Row> DatabaseController::getNoEmptyNotes() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM note WHERE noteText <> ''");
}

void DatabaseController::saveNote(std::string_view text, int dateId) {
    auto oldText = SQLiteAccess::selectOneValueSQL(
        format("SELECT noteText FROM note WHERE dateId = %d", dateId));
    SQLiteAccess::updateWithSQL(format(
        "UPDATE note SET noteText = '%@', editTime = %f WHERE dateId = %d ",
        SQLiteAccess::escapeString(text), Clock::current()->now().timeIntervalSince1970(), dateId));
    // An old text that could not be read counts as not empty.
    bool oldWasEmpty = oldText && oldText->empty();
    if (text.empty() && !oldWasEmpty) {
        saveHasData(false, dateId);
    } else if (!text.empty() && oldWasEmpty) {
        saveHasData(true, dateId);
    }
}

bool DatabaseController::getIntimateForDate(int dateId) {
    return integerResult(format("SELECT isIntimate FROM intimate WHERE dateId = %d", dateId)) == 1;
}

void DatabaseController::saveIntimate(int isIntimate, int dateId) {
    SQLiteAccess::updateWithSQL(
        format("UPDATE intimate SET isIntimate = %d WHERE dateId = %d ", isIntimate, dateId));
}

std::vector<Date> DatabaseController::getIntimateDatesFrom(Date from, Date to) {
    std::vector<Date> dates;
    for (auto& value : valuesOf(format("SELECT date FROM dates INNER JOIN intimate ON id = dateId "
                                       "WHERE (date BETWEEN %d AND %d AND isIntimate = 1)",
                                       truncatedSeconds(from), truncatedSeconds(to)))) {
        dates.emplace_back(static_cast<double>(Row::integerValue(value)));
    }
    return dates;
}

std::vector<Row> DatabaseController::collectAllMoods() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM moods ORDER BY id ASC");
}

std::vector<Row> DatabaseController::collectAllSymptoms() {
    return SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM symptoms ORDER BY id ASC");
}

std::vector<Row> DatabaseController::getMoodsForDateId(int dateId) {
    return SQLiteAccess::selectManyRowsWithSQL(
        format("SELECT id, moodName, imgName FROM usedMoods INNER JOIN moods ON moodId = id WHERE "
               "dateId = %d ORDER BY id ASC",
               dateId));
}

std::vector<Row> DatabaseController::getSymptomsForDateId(int dateId) {
    return SQLiteAccess::selectManyRowsWithSQL(
        format("SELECT id, symptomName, imgName FROM usedSymptoms INNER JOIN symptoms ON "
               "symptomId = id WHERE dateId = %d ORDER BY id ASC",
               dateId));
}

void DatabaseController::saveUsedMood(int moodId, int dateId) {
    SQLiteAccess::insertWithSQL(format("INSERT INTO usedMoods VALUES (%d, %d)", dateId, moodId));
}

void DatabaseController::saveUsedSymptom(int symptomId, int dateId) {
    SQLiteAccess::insertWithSQL(
        format("INSERT INTO usedSymptoms VALUES (%d, %d)", dateId, symptomId));
}

void DatabaseController::deleteUsedMood(int moodId, int dateId) {
    SQLiteAccess::deleteWithSQL(
        format("DELETE FROM usedMoods WHERE dateId = %d AND moodId = %d", dateId, moodId));
}

void DatabaseController::deleteUsedSymptom(int symptomId, int dateId) {
    SQLiteAccess::deleteWithSQL(
        format("DELETE FROM usedSymptoms WHERE dateId = %d AND symptomId = %d", dateId, symptomId));
}

void DatabaseController::saveHasData(bool added, int dateId) {
    SQLiteAccess::updateWithSQL(
        added ? format("UPDATE dates SET hasData = (hasData + 1) WHERE id = %d", dateId)
              : format("UPDATE dates SET hasData = (hasData - 1) WHERE (id = %d AND hasData > 0)",
                       dateId));
}

void DatabaseController::saveNewHasData(int count, int dateId) {
    SQLiteAccess::updateWithSQL(
        format("UPDATE dates SET hasData = %d WHERE id = %d", count, dateId));
}

double DatabaseController::getWeightForDateId(int dateId) {
    double kilograms = Row::doubleValue(SQLiteAccess::selectOneValueSQL(
        format("SELECT weight FROM weights WHERE dateId = %d", dateId)));
    return isMetric() ? kilograms : kilograms * poundsPerKilogram;
}

void DatabaseController::saveWeight(double weight, int dateId) {
    double kilograms = isMetric() ? weight : weight / poundsPerKilogram;
    SQLiteAccess::updateWithSQL(
        format("UPDATE weights SET weight = %f WHERE dateId = %d", kilograms, dateId));
}

double DatabaseController::getTemperatureForDateId(int dateId) {
    double celsius = Row::doubleValue(SQLiteAccess::selectOneValueSQL(
        format("SELECT temperature FROM temperatures WHERE dateId = %d", dateId)));
    return isMetric() ? celsius : celsius * 1.8 + 32;
}

void DatabaseController::saveTemperature(double temperature, int dateId) {
    double celsius = isMetric() ? temperature : (temperature - 32) * 0.5555555555555556;
    SQLiteAccess::updateWithSQL(
        format("UPDATE temperatures SET temperature = %f WHERE dateId = %d", celsius, dateId));
}

// --- periods ---

void DatabaseController::saveStartPeriod(Date start) {
    SQLiteAccess::insertWithSQL(
        format("INSERT INTO periods VALUES (NULL, %.0f, 0)", start.timeIntervalSince1970()));
}

void DatabaseController::saveEndPeriod(Date end) {
    long long openId =
        integerResult("SELECT id FROM periods WHERE endDate = 0 ORDER BY startDate DESC LIMIT 1");
    SQLiteAccess::updateWithSQL(format("UPDATE periods SET endDate = %.0f WHERE id = %d",
                                       end.timeIntervalSince1970(), openId));
}

void DatabaseController::saveLog(Date start, Date end) {
    SQLiteAccess::insertWithSQL(format("INSERT INTO periods VALUES (NULL, %.0f, %.0f)",
                                       start.timeIntervalSince1970(), end.timeIntervalSince1970()));
}

void DatabaseController::updatePeriodWithStartDate(Date newStart, Date newEnd, Date oldStart) {
    std::string sql = format("UPDATE periods SET startDate = %f, endDate = %f WHERE startDate = %f",
                             newStart.timeIntervalSince1970(), newEnd.timeIntervalSince1970(),
                             oldStart.timeIntervalSince1970());
    Log::write(sql);
    SQLiteAccess::updateWithSQL(sql);
}

long long DatabaseController::getLatestStartDay() {
    return integerResult("SELECT startDate FROM periods ORDER BY startDate DESC LIMIT 1");
}

long long DatabaseController::getLatestEndDay() {
    return integerResult("SELECT endDate FROM periods ORDER BY startDate DESC LIMIT 1");
}

std::vector<std::string> DatabaseController::getStartDates() {
    return textsOf("SELECT startDate FROM (SELECT startDate FROM periods ORDER BY startDate DESC "
                   "LIMIT 12) ORDER BY startDate ASC");
}

std::vector<std::string> DatabaseController::getEndDates() {
    return textsOf("SELECT endDate FROM (SELECT startDate, endDate FROM periods ORDER BY startDate "
                   "DESC LIMIT 12) ORDER BY startDate ASC");
}

std::vector<Row> DatabaseController::getPeriodDatesBtwStart(Date from, Date to) {
    long long start = truncatedSeconds(from);
    long long end = truncatedSeconds(to);
    return SQLiteAccess::selectManyRowsWithSQL(
        format("SELECT startDate, endDate FROM periods WHERE ((startDate BETWEEN %d AND %d) OR "
               "(endDate BETWEEN %d AND %d)) ORDER BY startDate DESC",
               start, end, start, end));
}

// --- settings ---

std::optional<std::string> DatabaseController::getLocalPasscode() {
    return textSetting("APP_PASSWORD");
}

void DatabaseController::saveLocalPasscode(int passcode) {
    saveIntSetting("APP_PASSWORD", passcode);
}

std::optional<std::string> DatabaseController::getUsername() {
    return textSetting("GOOGLE_USERNAME");
}

void DatabaseController::saveGoogleUsername(std::string_view username) {
    saveTextSetting("GOOGLE_USERNAME", username);
}

std::optional<std::string> DatabaseController::getPassword() {
    return textSetting("GOOGLE_PASS");
}

void DatabaseController::saveGooglePassword(std::string_view password) {
    saveTextSetting("GOOGLE_PASS", password);
}

int DatabaseController::isFirstTimeOn() {
    return intSetting("FIRST_TIME_ON");
}

void DatabaseController::saveFirstTimeOn(int value) {
    saveIntSetting("FIRST_TIME_ON", value);
}

int DatabaseController::getIsFirstSync() {
    return intSetting("FIRST_TIME_SYNC");
}

void DatabaseController::saveFirstTimeSync(int value) {
    saveIntSetting("FIRST_TIME_SYNC", value);
}

int DatabaseController::getSi() {
    return intSetting("SI_UNITS");
}

void DatabaseController::saveSi(int value) {
    saveIntSetting("SI_UNITS", value);
}

int DatabaseController::getPregnant() {
    return intSetting("PREGNANT");
}

void DatabaseController::savePregnant(int value) {
    saveIntSetting("PREGNANT", value);
    saveIntSetting("PREGNANT_START_DATE",
                   value == 1 ? truncatedSeconds(Clock::current()->now()) : 0);
}

long long DatabaseController::getPregnantStartDate() {
    return integerResult("SELECT value FROM settings WHERE name = 'PREGNANT_START_DATE'");
}

int DatabaseController::getPeriodNotification() {
    return intSetting("PERIOD_NOTIFICATION");
}

int DatabaseController::getFertileNotification() {
    return intSetting("FERTILE_NOTIFICATION");
}

void DatabaseController::saveNotification(int kind, int days) {
    if (kind == 0) {
        saveIntSetting("PERIOD_NOTIFICATION", days);
    } else if (kind == 1) {
        saveIntSetting("FERTILE_NOTIFICATION", days);
    }
}

int DatabaseController::getOvulationDay() {
    return intSetting("OVULATION_DAY");
}

void DatabaseController::saveOvulationDay(int days) {
    saveIntSetting("OVULATION_DAY", days == 0 ? 1 : days);
}

int DatabaseController::getPeriodLength() {
    return intSetting("PERIOD_LENGTH");
}

void DatabaseController::savePeriodLength(int days) {
    saveIntSetting("PERIOD_LENGTH", days == 0 ? 1 : days);
}

int DatabaseController::getCycleLength() {
    return intSetting("CYCLE_LENGTH");
}

void DatabaseController::saveCycleLength(int days) {
    saveIntSetting("CYCLE_LENGTH", days == 0 ? 1 : days);
}

int DatabaseController::getCycle() {
    return getCycleLength();
}

bool DatabaseController::getIsStartDate() {
    return intSetting("IS_START_DATE") != 0;
}

void DatabaseController::saveIsStartDate(int value) {
    saveIntSetting("IS_START_DATE", value);
}

int DatabaseController::getSkin() {
    return intSetting("SKIN");
}

void DatabaseController::saveSkin(int skin) {
    saveIntSetting("SKIN", skin);
}

void DatabaseController::saveAge(int age) {
    saveIntSetting("AGE", age);
}

int DatabaseController::getCurrentAppVersion() {
    return static_cast<int>(integerResult("SELECT value FROM settings WHERE name=\"APP_VERSION\""));
}

void DatabaseController::saveCurrentAppVersion(int version) {
    SQLiteAccess::updateWithSQL(
        format("UPDATE settings SET value=\"%d\" WHERE name=\"APP_VERSION\"", version));
}

} // namespace florelle
