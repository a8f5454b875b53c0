// SPDX-License-Identifier: GPL-3.0-or-later
#include "CycleInputs.h"

#include "cycle/Predictions.h"
#include "foundation/Calendar.h"
#include "storage/DatabaseController.h"

namespace florelle {

StoreResult<ReminderPlanner::Inputs> CycleInputs::reminder(int kind, int days, Date now) {
    auto otherDays = kind == ReminderPlanner::fertileKind
                         ? DatabaseController::getPeriodNotification()
                         : DatabaseController::getFertileNotification();
    auto latestStart = DatabaseController::getLatestStartDay();
    auto cycleLength = DatabaseController::getCycle();
    auto periodLength = DatabaseController::getPeriodLength();
    if (auto failure = firstFailure(otherDays, latestStart, cycleLength, periodLength)) {
        return *failure;
    }
    ReminderPlanner::Inputs in;
    in.kind = kind;
    in.days = days;
    in.otherDays = *otherDays;
    in.latestStart = *latestStart;
    in.cycleLength = *cycleLength;
    in.periodLength = *periodLength;
    in.now = now;
    return in;
}

StoreResult<TodayStatus::Inputs> CycleInputs::today(bool noPeriodOpen, Date now) {
    auto diary = DatabaseController::getPredictionInputs(now);
    auto pregnant = DatabaseController::getPregnant();
    auto pregnantStart = DatabaseController::getPregnantStartDate();
    if (auto failure = firstFailure(diary, pregnant, pregnantStart)) {
        return *failure;
    }
    auto seconds = [](Date date) { return static_cast<long long>(date.timeIntervalSince1970()); };
    TodayStatus::Inputs in;
    in.remainingDays = Predictions::remainingDays(*diary, Calendar::current());
    in.cycleLength = diary->cycle;
    in.ovulationDay = diary->ovulationDay;
    in.diaryEmpty = diary->periods.empty();
    if (!diary->periods.empty()) {
        in.latestStart = seconds(diary->periods.back().start);
        in.latestEnd = seconds(diary->periods.back().end);
    }
    in.noPeriodOpen = noPeriodOpen;
    in.pregnant = *pregnant != 0;
    in.pregnantStart = *pregnantStart;
    in.now = now;
    return in;
}

} // namespace florelle
