// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalNotification.h"

#include <optional>
#include <string>

namespace florelle {

// What a start of the application asks of the window already open: to come
// to the front and, when a reminder's button started it, to act on that
// reminder as a launch from it would.
struct ApplicationRequest {
    // The reminder, known by its alert action (as NotificationLaunchOption
    // carries it).
    std::optional<LocalNotification> reminder;
    // Lets the window take the focus: the XDG activation token or X11
    // startup id the launcher or the notification service handed over;
    // empty when there was none.
    std::string activationToken;
};

} // namespace florelle
