#pragma once

#include "cycle/PastPeriodEntry.h"
#include "cycle/PeriodEntry.h"
#include "storage/StoreResult.h"

namespace florelle {

// Where the window changes the diary's periods: each change is stored whole
// (one transaction), then the reminders are planned anew and one "diary
// changed" notice tells every page to show the diary as it is now. The kind
// of the next entry from the centre button is read from the diary, never
// kept by a screen, so a period logged from the command line meanwhile is
// taken into account.
class DiaryActions {
public:
    static constexpr const char* diaryChangedNotification = "DiaryChangedNotification";

    // Start while no period is open; start when the diary cannot be read.
    static PeriodEntry::Mode nextPeriodEntry();

    // The centre calendar's pick of `mode` (the kind it was opened for).
    static PeriodEntry::Outcome logPeriodDay(PeriodEntry::Mode mode, Date day, Date now);
    static PastPeriodEntry::Outcome savePastPeriod(const PastPeriodEntry::Entry& entry);
    static StoreStatus deletePeriod(long long start);

    // After any other change that moves predictions (a length, the
    // ovulation day, a first-run answer): plans and tells as above.
    static void changed();
};

} // namespace florelle
