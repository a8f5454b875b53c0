// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/TodayDisplay.h"
#include "foundation/Date.h"

namespace florelle {

// Where the user stands today: a period day with its number, the ovulation
// day, the fertile window, a regular day, the days late, or the pregnancy
// countdown. Day counts are local calendar days: the first day of a period
// is "Period day 1" and the ovulation status falls on the day the calendar
// marks ovulation.
class TodayStatus {
public:
    struct Inputs {
        int remainingDays = 0; // Predictions::remainingDays
        int cycleLength = 0;
        int ovulationDay = 0;
        long long latestStart = 0;
        long long latestEnd = 0;
        // The main screen's copy of IS_START_DATE: true while no period is open.
        bool noPeriodOpen = true;
        // No period logged yet: there is nothing to count from.
        bool diaryEmpty = false;
        bool pregnant = false;
        long long pregnantStart = 0;
        Date now;
    };

    // The whole centre display: the countdown to birth in pregnancy mode,
    // else today's status.
    static TodayDisplay compute(const Inputs& inputs);
    // Today's status, whatever the pregnancy mode.
    static TodayDisplay status(const Inputs& inputs);
    // The big number and caption of the days left until the next period.
    static TodayDisplay remainingDaysCenter(int remainingDays);

    // The cloud label's frame for a text of the given width, measured in
    // cloudFont: wider texts wrap to two lines.
    struct CloudLayout {
        double x, y, width, height;
        int lines;
        bool operator==(const CloudLayout&) const = default;
    };
    static CloudLayout layoutCloud(double textWidth);
    static constexpr FontSpec cloudFont{15, true};
    static constexpr double cloudWrapWidth = 220;
};

} // namespace florelle
