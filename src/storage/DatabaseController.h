#pragma once

#include "foundation/Date.h"
#include "storage/Row.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// The diary's records and settings. Every operation is one SQL statement (or
// one wrapped write) through SQLiteAccess; nothing is kept between calls.
// Failed or empty reads give 0, no text or an empty list.
//
// Days: a day is a local calendar day of the device's time zone. The day key
// stored in table `dates` is taken from that day's 23:59:59 instant, so every
// instant of one local day finds the same row.
class DatabaseController {
public:
    // --- day records and their data ---
    static long long dayKeyForDate(Date date);
    static int getDateIdForDate(Date date);
    static void saveDate(Date date);
    static long long getDateForDateId(int dateId);
    static std::vector<Row> getDateids();
    // The day's id; on first use its row and its four companion rows (empty
    // note, no intimacy, no weight, no temperature) are created.
    static int openDay(Date date);

    static void makeNewNote(int dateId);
    static void makeNewIntimate(int dateId);
    static void makeNewWeight(int dateId);
    static void makeNewTemp(int dateId);

    static std::optional<std::string> getNoteForDateId(int dateId);
    static long long getNoteEditTime(int dateId);
    static std::vector<Row> getNoEmptyNotes();
    // Stores the text exactly as typed and keeps the day's data count in step.
    static void saveNote(std::string_view text, int dateId);

    static bool getIntimateForDate(int dateId);
    static void saveIntimate(int isIntimate, int dateId);
    static std::vector<Date> getIntimateDatesFrom(Date from, Date to);

    static std::vector<Row> collectAllMoods();
    static std::vector<Row> collectAllSymptoms();
    static std::vector<Row> getMoodsForDateId(int dateId);
    static std::vector<Row> getSymptomsForDateId(int dateId);
    static void saveUsedMood(int moodId, int dateId);
    static void saveUsedSymptom(int symptomId, int dateId);
    static void deleteUsedMood(int moodId, int dateId);
    static void deleteUsedSymptom(int symptomId, int dateId);

    // Raises or lowers (never below 0) the number of kinds of data on a day.
    static void saveHasData(bool added, int dateId);
    static void saveNewHasData(int count, int dateId);

    // Weights and temperatures are stored in kilograms and degrees Celsius and
    // converted here to and from the unit system the user chose.
    static double getWeightForDateId(int dateId);
    static void saveWeight(double weight, int dateId);
    static double getTemperatureForDateId(int dateId);
    static void saveTemperature(double temperature, int dateId);

    // --- periods ---
    static void saveStartPeriod(Date start);
    // Closes the open period; does nothing when no period is open.
    static void saveEndPeriod(Date end);
    static void saveLog(Date start, Date end);
    static void updatePeriodWithStartDate(Date newStart, Date newEnd, Date oldStart);
    static long long getLatestStartDay();
    static long long getLatestEndDay();
    // The starts and ends of the twelve most recent periods, oldest first;
    // each end stands at the index of its own start (0 for the open period).
    static std::vector<std::string> getStartDates();
    static std::vector<std::string> getEndDates();
    static std::vector<Row> getPeriodDatesBtwStart(Date from, Date to);

    // --- settings ---
    static std::optional<std::string> getLocalPasscode();
    static void saveLocalPasscode(int passcode);
    static std::optional<std::string> getUsername();
    static void saveGoogleUsername(std::string_view username);
    static std::optional<std::string> getPassword();
    static void saveGooglePassword(std::string_view password);
    static int isFirstTimeOn();
    static void saveFirstTimeOn(int value);
    static int getIsFirstSync();
    static void saveFirstTimeSync(int value);
    static int getSi();
    static void saveSi(int value);
    static int getPregnant();
    // Also stamps the start of the pregnancy: now when the value is 1, else 0.
    static void savePregnant(int value);
    static long long getPregnantStartDate();
    static int getPeriodNotification();
    static int getFertileNotification();
    // Kind 0 is the period reminder, kind 1 the fertile one; others are ignored.
    static void saveNotification(int kind, int days);
    // The three lengths store 1 in place of 0.
    static int getOvulationDay();
    static void saveOvulationDay(int days);
    static int getPeriodLength();
    static void savePeriodLength(int days);
    static int getCycleLength();
    static void saveCycleLength(int days);
    static int getCycle();
    static bool getIsStartDate();
    static void saveIsStartDate(int value);
    static int getSkin();
    static void saveSkin(int skin);
    static void saveAge(int age);
    static int getCurrentAppVersion();
    static void saveCurrentAppVersion(int version);

    // --- predictions ---
    // A fixed-length calendar method: the next period starts CYCLE_LENGTH
    // days after the latest start and lasts PERIOD_LENGTH days; ovulation is
    // OVULATION_DAY days after a start. Fertile days follow the 11 days after
    // a period for cycles of 26 to 32 days, else the shortest and longest
    // logged cycles. Every date in a result stands for its local calendar
    // day; lists are unsorted and may name a day twice. Nothing is cached:
    // each call reads the database and the clock anew.

    // Logged, open and predicted period days from `from`'s day to `to`'s day.
    static std::vector<Date> getPeriodDatesFrom(Date from, Date to);
    static std::vector<Date> getFertileDatesFrom(Date from, Date to);
    static std::vector<Date> getOvulationDatesFrom(Date from, Date to);
    // Days from `from`'s day to `to`'s day that hold data.
    static std::vector<Date> getMarkedDatesFrom(Date from, Date to);
    // Every logged period day of the twelve most recent periods (an open one
    // up to today) and twelve predicted periods.
    static std::vector<Date> getAllPeriodDates();
    // The fertile days after the twelve most recent closed periods and
    // twelve predicted windows.
    static std::vector<Date> getAllFertileDates();
    // Days until the next period: 0 without a period or when it is due today;
    // when it is overdue, 0 or minus the days to the next predicted start.
    static int getRemainingDays();

    // The shortest and longest cycle between the twelve most recent starts,
    // in days; CYCLE_LENGTH - 2 and + 2 where there is none.
    struct CycleStatistics {
        int shortest = 0;
        int longest = 0;
    };
    static CycleStatistics getCycleStatistics();
};

} // namespace florelle
