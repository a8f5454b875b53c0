// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/ReminderPlanner.h"
#include "cycle/TodayStatus.h"
#include "foundation/Date.h"
#include "storage/StoreResult.h"

namespace florelle {

// The inputs of the reminder plan and of today's status as the diary holds
// them, for the moment `now` the caller read once. A failed read gives no
// inputs, so that no rule decides from it.
class CycleInputs {
public:
    // For a change of the reminder `kind` to `days`, with the rest stored.
    static StoreResult<ReminderPlanner::Inputs> reminder(int kind, int days, Date now);
    // `noPeriodOpen` is the main screen's copy of IS_START_DATE.
    static StoreResult<TodayStatus::Inputs> today(bool noPeriodOpen, Date now);
};

} // namespace florelle
