// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/Predictions.h"
#include "foundation/Date.h"
#include "storage/Row.h"
#include "storage/StoreResult.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

class Calendar;

// The diary's records and settings, through SQLiteAccess. Every read says
// whether it worked; an empty read gives 0, no text or an empty list. Every
// write says whether it happened, and a change that takes several statements
// is one transaction: all of it or nothing.
//
// Days: a day is a local calendar day of the device's time zone. The day key
// stored in table `dates` is taken from that day's 23:59:59 instant, so every
// instant of one local day finds the same row.
class DatabaseController {
public:
    // --- day records and their data ---
    static long long dayKeyForDate(Date date);
    // The same for the local days of `calendar`'s zone.
    static long long dayKeyForDate(Date date, const Calendar& calendar);
    static StoreResult<int> getDateIdForDate(Date date);
    static StoreStatus saveDate(Date date);
    static StoreResult<long long> getDateForDateId(int dateId);
    static StoreResult<std::vector<Row>> getDateids();
    // The day's id; on first use its row and its four companion rows (empty
    // note, no intimacy, no weight, no temperature) are created, together.
    static StoreResult<int> openDay(Date date);

    static StoreStatus makeNewNote(int dateId);
    static StoreStatus makeNewIntimate(int dateId);
    static StoreStatus makeNewWeight(int dateId);
    static StoreStatus makeNewTemp(int dateId);

    static StoreResult<Row::Value> getNoteForDateId(int dateId);
    static StoreResult<long long> getNoteEditTime(int dateId);
    static StoreResult<std::vector<Row>> getNoEmptyNotes();
    // Stores the text exactly as typed, its edit time `now`, and keeps the
    // day's data count in step.
    static StoreStatus saveNote(std::string_view text, int dateId, Date now);

    static StoreResult<bool> getIntimateForDate(int dateId);
    static StoreStatus saveIntimate(int isIntimate, int dateId);
    static StoreResult<std::vector<Date>> getIntimateDatesFrom(Date from, Date to);

    static StoreResult<std::vector<Row>> collectAllMoods();
    static StoreResult<std::vector<Row>> collectAllSymptoms();
    static StoreResult<std::vector<Row>> getMoodsForDateId(int dateId);
    static StoreResult<std::vector<Row>> getSymptomsForDateId(int dateId);
    // Each keeps the day's data count in step: the first mood (symptom) of a
    // day counts one up, taking back the last one counts it down.
    static StoreStatus saveUsedMood(int moodId, int dateId);
    static StoreStatus saveUsedSymptom(int symptomId, int dateId);
    static StoreStatus deleteUsedMood(int moodId, int dateId);
    static StoreStatus deleteUsedSymptom(int symptomId, int dateId);

    // Raises or lowers (never below 0) the number of kinds of data on a day.
    static StoreStatus saveHasData(bool added, int dateId);
    static StoreStatus saveNewHasData(int count, int dateId);

    // Weights and temperatures are stored in kilograms and degrees Celsius and
    // converted here to and from the unit system the user chose. 0 is none;
    // a save keeps the day's data count in step when a value comes or goes.
    static StoreResult<double> getWeightForDateId(int dateId);
    static StoreStatus saveWeight(double weight, int dateId);
    static StoreResult<double> getTemperatureForDateId(int dateId);
    static StoreStatus saveTemperature(double temperature, int dateId);

    // --- periods ---
    static StoreStatus saveStartPeriod(Date start);
    // Closes the open period; does nothing when no period is open.
    static StoreStatus saveEndPeriod(Date end);
    static StoreStatus saveLog(Date start, Date end);
    static StoreStatus updatePeriodWithStartDate(Date newStart, Date newEnd, Date oldStart);
    static StoreStatus deletePeriodWithStartDate(long long start);
    static StoreResult<long long> getLatestStartDay();
    static StoreResult<long long> getLatestEndDay();
    // The starts and ends of the twelve most recent periods, oldest first;
    // each end stands at the index of its own start (0 for the open period).
    static StoreResult<std::vector<std::string>> getStartDates();
    static StoreResult<std::vector<std::string>> getEndDates();
    static StoreResult<std::vector<Row>> getPeriodDatesBtwStart(Date from, Date to);
    // Every logged period's start and end, oldest first.
    static StoreResult<std::vector<Row>> getAllPeriods();

    // --- settings ---
    // A setting's text as stored; a diary without the setting's row reads none.
    static StoreResult<Row::Value> textSetting(std::string_view key);
    // Stores the text, first adding the setting's row where a diary written
    // before the setting existed lacks it.
    static StoreStatus saveTextSetting(std::string_view key, std::string_view text);
    static StoreResult<Row::Value> getLocalPasscode();
    static StoreStatus saveLocalPasscode(int passcode);
    // No passcode any more: the diary opens without the lock.
    static StoreStatus deleteLocalPasscode();
    static StoreResult<Row::Value> getUsername();
    static StoreStatus saveGoogleUsername(std::string_view username);
    static StoreResult<Row::Value> getPassword();
    static StoreStatus saveGooglePassword(std::string_view password);
    static StoreResult<int> isFirstTimeOn();
    static StoreStatus saveFirstTimeOn(int value);
    static StoreResult<int> getIsFirstSync();
    static StoreStatus saveFirstTimeSync(int value);
    static StoreResult<int> getSi();
    static StoreStatus saveSi(int value);
    static StoreResult<int> getPregnant();
    // Also stamps the start of the pregnancy: now when the value is 1, else 0.
    static StoreStatus savePregnant(int value, Date now);
    static StoreResult<long long> getPregnantStartDate();
    static StoreResult<int> getPeriodNotification();
    static StoreResult<int> getFertileNotification();
    // Kind 0 is the period reminder, kind 1 the fertile one; others are ignored.
    static StoreStatus saveNotification(int kind, int days);
    // The three lengths store 1 in place of 0. Numbers read from the file
    // are kept within the ranges the pickers offer (see clampSetting).
    static StoreResult<int> getOvulationDay();
    static StoreStatus saveOvulationDay(int days);
    static StoreResult<int> getPeriodLength();
    static StoreStatus savePeriodLength(int days);
    static StoreResult<int> getCycleLength();
    static StoreStatus saveCycleLength(int days);
    static StoreResult<int> getCycle();
    static StoreResult<bool> getIsStartDate();
    static StoreStatus saveIsStartDate(int value);
    static StoreResult<int> getSkin();
    static StoreStatus saveSkin(int skin);
    static StoreStatus saveAge(int age);
    static StoreResult<int> getCurrentAppVersion();
    static StoreStatus saveCurrentAppVersion(int version);

    // A stored number held to the range its picker offers, so that a value
    // edited by hand cannot upset the arithmetic.
    static int clampSetting(std::string_view key, long long value);

    // Changes whenever another connection (another program, another thread)
    // committed to the diary, or another file took its place, since this
    // thread's connection last read it: for a window that follows them.
    static StoreResult<std::string> outsideChangeStamp();

    // --- predictions ---
    // Each reads the settings and the periods it needs, at most two
    // statements, and hands them with `now` to the rules of Predictions,
    // which say what the results hold. Nothing is cached; each fails when a
    // read fails.

    // The three lengths, the twelve most recent periods (oldest first) and `now`.
    static StoreResult<Predictions::Inputs> getPredictionInputs(Date now);
    // Logged, open and predicted period days from `from`'s day to `to`'s day.
    static StoreResult<std::vector<Date>> getPeriodDatesFrom(Date from, Date to, Date now);
    static StoreResult<std::vector<Date>> getFertileDatesFrom(Date from, Date to, Date now);
    // From the instant `from` to the instant `to`.
    static StoreResult<std::vector<Date>> getOvulationDatesFrom(Date from, Date to, Date now);
    // Days from `from`'s day to `to`'s day that hold data.
    static StoreResult<std::vector<Date>> getMarkedDatesFrom(Date from, Date to);
    // Every logged period day of the twelve most recent periods (an open one
    // up to today) and the predicted periods.
    static StoreResult<std::vector<Date>> getAllPeriodDates(Date now);
    // The fertile days after the twelve most recent closed periods and the
    // predicted windows.
    static StoreResult<std::vector<Date>> getAllFertileDates(Date now);
    static StoreResult<int> getRemainingDays(Date now);

    // The shortest and longest cycle between the twelve most recent starts.
    using CycleStatistics = Predictions::CycleStatistics;
    static StoreResult<CycleStatistics> getCycleStatistics();
};

} // namespace florelle
