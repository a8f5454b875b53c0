#include "ReminderHelper.h"

#include "foundation/TimeZone.h"

namespace florelle {

ReminderHelper::ReminderHelper(LocalNotificationStore store,
                               std::shared_ptr<NotificationPresenter> presenter, Launch launch)
    : presenter_(std::move(presenter)), center_(std::move(store), presenter_) {
    if (presenter_) {
        presenter_->onActionInvoked = std::move(launch);
    }
}

void ReminderHelper::start() {
    center_.startDelivering();
    zoneCheck_ = Timer(LocalNotificationCenter::recheckInterval, true, [this] {
        TimeZone::resetSystemTimeZone();
        center_.refresh();
    });
}

} // namespace florelle
