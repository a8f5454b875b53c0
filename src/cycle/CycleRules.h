// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// The numbers of the prediction rules, in one place: the calendar, the
// summary, the reminders and today's status all predict with these.
struct CycleRules {
    // Periods, fertile windows and ovulation days are predicted this many
    // cycles ahead.
    static constexpr int predictedCycles = 12;

    // Cycle lengths from regularShortest to regularLongest days (both
    // included) are regular: the fertile window is the fertileWindowDays
    // days that follow a period.
    static constexpr int regularShortest = 26;
    static constexpr int regularLongest = 32;
    static constexpr int fertileWindowDays = 11;

    // Any other cycle length is irregular and takes the calendar method: the
    // window opens (shortest cycle - irregularFirstOffset) days after a
    // start and closes before (longest cycle - irregularEndOffset) days
    // after it, the cycles being those between the logged starts.
    static constexpr int irregularFirstOffset = 19;
    static constexpr int irregularEndOffset = 10;
    // Without two logged starts the shortest and the longest cycle are
    // CYCLE_LENGTH minus and plus this.
    static constexpr int assumedCycleSpread = 2;
};

} // namespace florelle
