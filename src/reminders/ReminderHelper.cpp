// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderHelper.h"

#include "DiaryZoneFollower.h"
#include "ReminderScheduler.h"

namespace florelle {

ReminderHelper::ReminderHelper(LocalNotificationStore store,
                               std::shared_ptr<NotificationPresenter> presenter, Launch launch)
    : presenter_(std::move(presenter)), center_(std::move(store), presenter_) {
    center_.prepareForShowing = ReminderScheduler::inCurrentLanguage;
    if (presenter_) {
        presenter_->onActionInvoked = std::move(launch);
    }
}

void ReminderHelper::start() {
    followMachineZone();
    center_.startDelivering();
    zoneCheck_ = Timer(LocalNotificationCenter::recheckInterval, true, [this] {
        followMachineZone();
        center_.refresh();
    });
}

void ReminderHelper::followMachineZone() {
    // A diary that cannot be read keeps its days and the pending reminders;
    // the window tells her why when it opens.
    static_cast<void>(DiaryZoneFollower::followMachineZone(center_));
}

} // namespace florelle
