#include "ReminderPlanner.h"

#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

Reminder periodReminder(int days) {
    return {Date(), LocalizedText("%@ %d %@!", {"Your period will start in Key", days, "days Key"}),
            "Period details Key", ""};
}

Reminder fertileReminder(int days) {
    return {Date(),
            LocalizedText("%@ %d %@!", {"Your fertile window will start in Key", days, "days Key"}),
            "Fertile details Key", ""};
}

// The first of base, base + 1 cycle, … that is not before now.
Date nextAfter(const Calendar& calendar, Date base, Date now, int cycle) {
    int cycles = std::max(0, calendar.daysFrom(base, now) / cycle - 1);
    Date date = calendar.addingDays(base, cycles * cycle);
    while (now > date) {
        date = calendar.addingDays(date, cycle);
    }
    return date;
}

} // namespace

StoreResult<ReminderPlanner::Inputs> ReminderPlanner::read(int kind, int days) {
    auto otherDays = kind == fertileKind ? DatabaseController::getPeriodNotification()
                                         : DatabaseController::getFertileNotification();
    auto latestStart = DatabaseController::getLatestStartDay();
    auto cycleLength = DatabaseController::getCycle();
    auto periodLength = DatabaseController::getPeriodLength();
    if (auto failure = firstFailure(otherDays, latestStart, cycleLength, periodLength)) {
        return *failure;
    }
    Inputs in;
    in.kind = kind;
    in.days = days;
    in.otherDays = *otherDays;
    in.latestStart = *latestStart;
    in.cycleLength = *cycleLength;
    in.periodLength = *periodLength;
    in.now = Clock::current()->now();
    return in;
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
    Date base = nextAfter(calendar, calendar.dateFromComponents(parts), in.now, cycle);
    Date never = in.now.addingSeconds(offDelay);

    bool periodChanged = in.kind == periodKind;
    ReminderPlan plan = periodChanged
                            ? ReminderPlan{periodReminder(in.days), fertileReminder(in.otherDays)}
                            : ReminderPlan{periodReminder(in.otherDays), fertileReminder(in.days)};
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
