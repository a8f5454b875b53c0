// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/Predictions.h"
#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <optional>
#include <vector>

namespace florelle {

// The period log's arithmetic: the logged periods with their lengths and the
// cycles between them, the predicted cycles, the fertile windows and
// ovulation days of both, the average period length and the period in
// progress. What is predicted comes from Predictions. Every count and step
// is in local calendar days of the given calendar: a period that starts and
// ends on the same day lasts 1 day, and a cycle is the number of days from
// one start day to the next.
class PeriodSummary {
public:
    enum class Tab { period = 0, fertile = 1, ovulation = 2 };

    // A logged period; an end of the epoch means it is still open.
    using Period = Predictions::Period;
    // The settings, the twelve most recent periods and the moment, as
    // DatabaseController::getPredictionInputs reads them.
    using Inputs = Predictions::Inputs;

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
        std::vector<Row> predicted; // one per predicted start, earliest first
    };
    // Period tab: start and end. Fertile tab: the window's first and last
    // day (none for an open period). Ovulation tab: the day, no second date.
    static Rows rows(Tab tab, const Inputs& inputs, const Calendar& calendar);

    // Of the closed periods, rounded half away from zero; PERIOD_LENGTH
    // when there is none.
    static int averagePeriodLength(const Inputs& inputs, const Calendar& calendar);
    // Days of a fertile window, both ends counted.
    static int fertileWindowLength(const Inputs& inputs, const Calendar& calendar);
    // The latest logged ovulation day if it is today or later, else the
    // first predicted one.
    static Date nextOvulation(const Inputs& inputs, const Calendar& calendar);
    // The start of the period in progress.
    static std::optional<Date> currentStart(const Inputs& inputs);
};

} // namespace florelle
