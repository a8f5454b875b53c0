// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "foundation/TimeZone.h"

#include <map>
#include <string>

namespace florelle {

// A note the application asks the desktop to show at a given time, whether
// or not the application runs then. Its texts are final: looked up in the
// string table before scheduling.
struct LocalNotification {
    // The sound the desktop plays for its own messages.
    static constexpr const char* defaultSoundName = "default";

    Date fireDate;
    // With a zone, the fire date is a wall-clock time in that zone that
    // follows the device when it moves to another zone (13:00 stays 13:00);
    // without one it is a fixed instant.
    std::string timeZone;
    std::string alertBody;
    // The text of the button that opens the application.
    std::string alertAction;
    // Empty: silent.
    std::string soundName = defaultSoundName;
    // What the application attaches to know the notification again (names
    // of letters and digits, any values); never shown.
    std::map<std::string, std::string> userInfo;

    // The instant it is due while the device is in `deviceZone`.
    Date dueDate(const TimeZone& deviceZone) const;

    bool operator==(const LocalNotification&) const = default;
};

} // namespace florelle
