#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <optional>
#include <vector>

namespace florelle {

// The period log's arithmetic: the logged periods with their lengths and the
// cycles between them, twelve predicted cycles, the fertile windows and
// ovulation days of both, the average period length and the period in
// progress. Every count and step is in local calendar days of the given
// calendar: a period that starts and ends on the same day lasts 1 day, and
// a cycle is the number of days from one start day to the next.
class PeriodSummary {
public:
    enum class Tab { period = 0, fertile = 1, ovulation = 2 };

    static constexpr int predictedCount = 12;
    static constexpr int fertileWindowDays = 11;

    // A logged period; an end of the epoch means it is still open.
    struct Period {
        Date start;
        Date end;
    };

    struct Inputs {
        int cycle = 0;        // CYCLE_LENGTH
        int periodLength = 0; // PERIOD_LENGTH
        int ovulationDay = 0; // OVULATION_DAY, days after a start
        // The twelve most recent periods, oldest first.
        std::vector<Period> periods;
        Date now;
    };
    // The inputs as the database and the clock give them now.
    static StoreResult<Inputs> read();

    // One line of the log: a first and a second date (the epoch where there
    // is none) and the cycle that begins with it (none while it runs).
    struct Row {
        Date from;
        Date to;
        std::optional<int> cycleLength;
        bool operator==(const Row&) const = default;
    };
    struct Rows {
        std::vector<Row> past;      // oldest first
        std::vector<Row> predicted; // predictedCount, earliest first
    };
    // Period tab: start and end. Fertile tab: the window's first and last
    // day (none for an open period). Ovulation tab: the day, no second date.
    static Rows rows(Tab tab, const Inputs& inputs, const Calendar& calendar);

    // Cycles of 26 to 32 days count the fertile window as the 11 days after
    // a period; others take it from the shortest and longest logged cycle.
    static bool isRegular(int cycle);
    // Of the closed periods, rounded half away from zero; PERIOD_LENGTH
    // when there is none.
    static int averagePeriodLength(const Inputs& inputs, const Calendar& calendar);
    // Days of a fertile window, both ends counted.
    static int fertileWindowLength(const Inputs& inputs, const Calendar& calendar);
    // Where the twelve predicted periods start: one cycle after the latest
    // start while that lies ahead, else in the cycle that holds today; from
    // today without any period.
    static std::vector<Date> predictedStarts(const Inputs& inputs, const Calendar& calendar);
    // The latest logged ovulation day if it is today or later, else the
    // first predicted one.
    static Date nextOvulation(const Inputs& inputs, const Calendar& calendar);
    // The start of the period in progress.
    static std::optional<Date> currentStart(const Inputs& inputs);
};

} // namespace florelle
