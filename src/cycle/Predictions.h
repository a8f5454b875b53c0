// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <vector>

namespace florelle {

// The one prediction engine: the coming periods, fertile windows and
// ovulation days and the days left until the next period, from the three
// settings, the logged periods and the moment asked about. A fixed-length
// calendar method: the next period starts CYCLE_LENGTH days after the latest
// start and lasts PERIOD_LENGTH days, ovulation is OVULATION_DAY days after a
// start, and the fertile window follows CycleRules.
//
// Every count and step is in local calendar days of the given calendar, and
// every date in a result stands for its local day; lists are unsorted and
// may name a day twice. Nothing here reads the diary or the clock.
class Predictions {
public:
    // A logged period; an end of the epoch means it is still open.
    struct Period {
        Date start;
        Date end;
        bool isOpen() const { return end == Date(); }
        bool operator==(const Period&) const = default;
    };

    struct Inputs {
        int cycle = 0;        // CYCLE_LENGTH; below 1 steps as 1
        int periodLength = 0; // PERIOD_LENGTH
        int ovulationDay = 0; // OVULATION_DAY, days after a start
        // The twelve most recent periods, oldest first.
        std::vector<Period> periods;
        Date now;
    };

    // The instants a span of the calendar covers, both included.
    struct Span {
        Date first;
        Date last;
    };
    // From `from`'s local day at 00:00:00 to `to`'s at 23:59:59.
    static Span wholeDays(Date from, Date to, const Calendar& calendar);
    // The two instants themselves, in whole seconds.
    static Span instants(Date from, Date to);

    // The days of a span; `inSpan` holds the periods whose start or end lies
    // in it, latest first. Predicted days before today are left out.
    // Logged, open (up to now) and predicted period days, of `wholeDays`.
    static std::vector<Date> periodDates(const Inputs& inputs, const Span& span,
                                         const std::vector<Period>& inSpan,
                                         const Calendar& calendar);
    // Fertile days of `wholeDays`.
    static std::vector<Date> fertileDates(const Inputs& inputs, const Span& span,
                                          const std::vector<Period>& inSpan,
                                          const Calendar& calendar);
    // Ovulation days of `instants`.
    static std::vector<Date> ovulationDates(const Inputs& inputs, const Span& span,
                                            const std::vector<Period>& inSpan,
                                            const Calendar& calendar);

    // Every day of the logged periods (an open one up to today) and of the
    // predicted ones.
    static std::vector<Date> allPeriodDates(const Inputs& inputs, const Calendar& calendar);
    // The fertile days after the closed periods and the predicted windows.
    static std::vector<Date> allFertileDates(const Inputs& inputs, const Calendar& calendar);

    // Where the predicted periods start, CycleRules::predictedCycles of them
    // one cycle apart: one cycle after the latest start while that lies
    // ahead, else in the cycle that holds today; from now without a period.
    static std::vector<Date> predictedStarts(const Inputs& inputs, const Calendar& calendar);
    // Days until the next period: 0 without a period or when it is due
    // today. Overdue, the days into the cycle that holds today minus a cycle.
    static int remainingDays(const Inputs& inputs, const Calendar& calendar);
    // The first of `date`, one cycle later, two cycles later, … that is not
    // before `instant`.
    static Date firstCycleStepFrom(Date date, Date instant, int cycle, const Calendar& calendar);

    static bool isRegular(int cycle);
    // The shortest and longest cycle between the logged starts, in days;
    // CYCLE_LENGTH minus and plus CycleRules::assumedCycleSpread where there
    // is none.
    struct CycleStatistics {
        int shortest = 0;
        int longest = 0;
    };
    static CycleStatistics cycleStatistics(const Inputs& inputs, const Calendar& calendar);
    // Where the fertile window of one cycle lies, in days after the cycle's
    // start: from `first` up to, not including, `end`.
    struct Window {
        int first = 0;
        int end = 0;
    };
    // For a cycle whose period lasts `periodDays`.
    static Window fertileWindow(const Inputs& inputs, const CycleStatistics& statistics,
                                int periodDays);
};

} // namespace florelle
