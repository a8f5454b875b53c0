// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/LocalizedText.h"
#include "foundation/Date.h"

#include <optional>
#include <string>

namespace florelle {

// One local notification to put on the platform.
struct Reminder {
    Date fireDate;
    LocalizedText body;
    std::string actionKey; // looked up; a launch from the reminder compares it
    std::string timeZone;  // the device's zone when it was planned
    // What the texts say: the kind (0 period, 1 fertile window) and days.
    int kind = 0;
    int days = 0;
};

// Both pending reminders; there is always one of each kind.
struct ReminderPlan {
    Reminder period;
    Reminder fertile;
};

// When the reminders fire. The reminder of the kind that changed fires at
// 13:00 local time its number of days before the next predicted period
// start (kind 0) or before the day PERIOD_LENGTH days after it (kind 1),
// moved on by whole cycles until it lies ahead; the other kind is placed in
// the same cycle and may lie in the past. A reminder of fewer than one day is
// off: it is still planned, ten years ahead.
class ReminderPlanner {
public:
    static constexpr int periodKind = 0;
    static constexpr int fertileKind = 1;
    static constexpr double offDelay = 315360000; // ten years of 365 days
    static constexpr int fireHour = 13;

    struct Inputs {
        int kind = periodKind;
        int days = 0;      // the changed kind's days
        int otherDays = 0; // the other kind's stored days
        // The latest period's start; 0 without a period (counted from now).
        long long latestStart = 0;
        int cycleLength = 0;
        int periodLength = 0;
        Date now;
    };

    // std::nullopt for a kind other than 0 or 1.
    static std::optional<ReminderPlan> plan(const Inputs& inputs);
    // The texts of a reminder of the kind (0 or 1) and days, not yet placed.
    static Reminder reminder(int kind, int days);
};

} // namespace florelle
