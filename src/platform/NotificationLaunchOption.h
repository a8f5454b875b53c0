// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalNotification.h"

#include <optional>
#include <string>
#include <vector>

namespace florelle {

// How a local notification reaches the application it starts: the command
// line `florelle --launched-from-reminder "<alert action>"`. The action
// text is what the application compares to tell its reminders apart.
class NotificationLaunchOption {
public:
    static constexpr const char* name = "--launched-from-reminder";

    // The arguments that follow the program name.
    static std::vector<std::string> arguments(const LocalNotification& notification);
    // The notification the arguments (without the program name) carry, if
    // any; it holds the alert action only. A trailing option without its
    // text carries none.
    static std::optional<LocalNotification> parse(const std::vector<std::string>& arguments);
};

} // namespace florelle
