// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/DailyLogEntry.h"
#include "cycle/PastPeriodEntry.h"
#include "cycle/PeriodEntry.h"
#include "import/ImportMerge.h"
#include "storage/StoreResult.h"

namespace florelle {

struct Notification;

// Where the window changes the diary: each change is stored whole (one
// transaction) and then told once. A change of the periods plans the
// reminders anew and tells every page with one "diary changed" notice; the
// kind of the next entry from the centre button is read from the diary,
// never kept by a screen, so a period logged from the command line meanwhile
// is taken into account. A change of a day's log is told with one "day
// changed" notice.
class DiaryActions {
public:
    static constexpr const char* diaryChangedNotification = "DiaryChangedNotification";

    // Start while no period is open; start when the diary cannot be read.
    static PeriodEntry::Mode nextPeriodEntry();

    // The centre calendar's pick of `mode` (the kind it was opened for).
    static PeriodEntry::Outcome logPeriodDay(PeriodEntry::Mode mode, Date day, Date now);
    static PastPeriodEntry::Outcome savePastPeriod(const PastPeriodEntry::Entry& entry);
    static StoreStatus deletePeriod(long long start);

    // Another app's history, stored in one transaction; when it added
    // anything, planned and told as above.
    static ImportMerge::Outcome importHistory(const ImportPlan& plan, Date now);

    // After any other change that moves predictions (a length, the
    // ovulation day, a first-run answer): plans and tells as above.
    static void changed();

    // The daily log's changes of one day, each one transaction; when the day
    // changed, one "day changed" notice follows, its object the day (see
    // changedDay), so that what shows the day's data can show it anew.
    // Nothing that predicts depends on them: the reminders stay as planned.
    static constexpr const char* dayChangedNotification = "DayChangedNotification";
    static StoreResult<bool> changeDay(Date day, const DailyLogEntry::Change& change, Date now);
    static StoreResult<bool> saveNote(Date day, const std::string& note, Date now);
    static StoreResult<bool> toggleOnDay(Date day, DailyLogEntry::Item item, int id = 0);
    // The day a "day changed" notice is about.
    static Date changedDay(const Notification& notification);
};

} // namespace florelle
