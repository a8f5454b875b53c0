// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderPlanner.h"

#include "cycle/Predictions.h"
#include "foundation/Calendar.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

// "… will start in 3 days!"
LocalizedText startsIn(const char* key, int days) {
    return LocalizedText("%@ %d %@!", {key, days, LocalizedText::CountedKey{"days Key", days}});
}

Reminder periodReminder(int days) {
    return {Date(),
            startsIn("Your period will start in Key", days),
            "Period details Key",
            "",
            ReminderPlanner::periodKind,
            days};
}

Reminder fertileReminder(int days) {
    return {Date(),
            startsIn("Your fertile window will start in Key", days),
            "Fertile details Key",
            "",
            ReminderPlanner::fertileKind,
            days};
}

} // namespace

Reminder ReminderPlanner::reminder(int kind, int days) {
    return kind == fertileKind ? fertileReminder(days) : periodReminder(days);
}

std::optional<ReminderPlan> ReminderPlanner::plan(const Inputs& in) {
    if (in.kind != periodKind && in.kind != fertileKind) {
        return std::nullopt;
    }
    Calendar calendar = Calendar::current();
    int cycle = std::max(1, in.cycleLength);
    Date start = in.latestStart != 0 ? Date(static_cast<double>(in.latestStart))
                                     : Date(std::trunc(in.now.timeIntervalSince1970()));
    // 13:00 on the local date `days` days before the predicted next start.
    DateComponents parts = calendar.components(start);
    parts.day += cycle - in.days;
    parts.hour = fireHour;
    parts.minute = 0;
    parts.second = 0;
    Date base = Predictions::firstCycleStepFrom(calendar.dateFromComponents(parts), in.now, cycle,
                                                calendar);
    Date never = in.now.addingSeconds(offDelay);

    bool periodChanged = in.kind == periodKind;
    ReminderPlan plan{reminder(periodKind, periodChanged ? in.days : in.otherDays),
                      reminder(fertileKind, periodChanged ? in.otherDays : in.days)};
    Reminder& changed = periodChanged ? plan.period : plan.fertile;
    Reminder& other = periodChanged ? plan.fertile : plan.period;
    if (!periodChanged) {
        base = calendar.addingDays(base, in.periodLength);
    }
    // The other kind lies PERIOD_LENGTH days later (fertile) or earlier (period).
    int otherShift = periodChanged ? in.days + in.periodLength - in.otherDays
                                   : in.days - in.periodLength - in.otherDays;
    changed.fireDate = in.days < 1 ? never : base;
    other.fireDate = in.otherDays < 1 ? never : calendar.addingDays(base, otherShift);
    changed.timeZone = other.timeZone = calendar.timeZone().identifier();
    return plan;
}

} // namespace florelle
