// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotificationLaunchOption.h"

namespace florelle {

std::vector<std::string>
NotificationLaunchOption::arguments(const LocalNotification& notification) {
    return {name, notification.alertAction};
}

std::optional<LocalNotification>
NotificationLaunchOption::parse(const std::vector<std::string>& arguments) {
    for (std::size_t index = 0; index + 1 < arguments.size(); ++index) {
        if (arguments[index] == name) {
            LocalNotification notification;
            notification.alertAction = arguments[index + 1];
            return notification;
        }
    }
    return std::nullopt;
}

} // namespace florelle
