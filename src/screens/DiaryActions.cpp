// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryActions.h"

#include "foundation/Calendar.h"
#include "foundation/NotificationCenter.h"
#include "platform/LocalNotificationCenter.h"
#include "platform/LocalNotificationStore.h"
#include "reminders/ReminderScheduler.h"

namespace florelle {

PeriodEntry::Mode DiaryActions::nextPeriodEntry() {
    return PeriodEntry::currentMode().value_or(PeriodEntry::Mode::start);
}

PeriodEntry::Outcome DiaryActions::logPeriodDay(PeriodEntry::Mode mode, Date day, Date now) {
    auto outcome = PeriodEntry::save(mode, day, Calendar::current(), now);
    if (outcome.saved() || outcome.changedElsewhere()) {
        changed();
    }
    return outcome;
}

PastPeriodEntry::Outcome DiaryActions::savePastPeriod(const PastPeriodEntry::Entry& entry) {
    auto outcome = PastPeriodEntry::save(entry, Calendar::current());
    if (outcome.saved) {
        changed();
    }
    return outcome;
}

StoreStatus DiaryActions::deletePeriod(long long start) {
    StoreStatus deleted = PastPeriodEntry::remove(start);
    if (deleted) {
        changed();
    }
    return deleted;
}

ImportMerge::Outcome DiaryActions::importHistory(const ImportPlan& plan, Date now) {
    auto outcome = ImportMerge::apply(plan, Calendar::current(), now);
    if (!outcome.error && (!outcome.added.empty() || outcome.daysChanged > 0)) {
        changed();
    }
    return outcome;
}

namespace {

StoreResult<bool> toldIfChanged(Date day, StoreResult<bool> changed) {
    if (changed.ok() && changed.value()) {
        NotificationCenter::defaultCenter().post(DiaryActions::dayChangedNotification, &day);
    }
    return changed;
}

} // namespace

StoreResult<bool> DiaryActions::changeDay(Date day, const DailyLogEntry::Change& change, Date now) {
    return toldIfChanged(day, DailyLogEntry::apply(day, change, now));
}

StoreResult<bool> DiaryActions::saveNote(Date day, const std::string& note, Date now) {
    return toldIfChanged(day, DailyLogEntry::saveNote(day, note, now));
}

StoreResult<bool> DiaryActions::toggleOnDay(Date day, DailyLogEntry::Item item, int id) {
    return toldIfChanged(day, DailyLogEntry::toggle(day, item, id));
}

Date DiaryActions::changedDay(const Notification& notification) {
    return *static_cast<const Date*>(notification.object);
}

void DiaryActions::changed() {
    LocalNotificationCenter center(LocalNotificationStore::standard());
    // A diary that cannot be read keeps the pending reminders; the diary's
    // alert says why.
    static_cast<void>(ReminderScheduler(center).resetNotifications());
    NotificationCenter::defaultCenter().post(diaryChangedNotification);
}

} // namespace florelle
