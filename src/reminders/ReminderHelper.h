// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ApplicationLauncher.h"
#include "foundation/Timer.h"
#include "platform/LocalNotificationCenter.h"

#include <functional>
#include <memory>

namespace florelle {

// The work of the reminder helper that runs from login: it shows the
// reminders that fell due while nothing ran, once, then sleeps until the
// next one is due and shows it; it follows every change of the pending
// reminders; a pressed reminder button brings the window up with that
// reminder (ApplicationLauncher::open). It reads the machine's time zone again at
// start and at every check, so that a reminder for 13:00 comes at 13:00
// where the user is now, and brings the diary's days to that zone.
class ReminderHelper {
public:
    // The reminder, and the token that lets the window take the focus.
    using Launch = std::function<void(const LocalNotification&, const std::string&)>;

    ReminderHelper(LocalNotificationStore store, std::shared_ptr<NotificationPresenter> presenter,
                   Launch launch);

    // Catches up and starts delivering on the current run loop.
    void start();
    LocalNotificationCenter& center() { return center_; }

private:
    void followMachineZone();

    std::shared_ptr<NotificationPresenter> presenter_;
    LocalNotificationCenter center_;
    Timer zoneCheck_;
};

} // namespace florelle
