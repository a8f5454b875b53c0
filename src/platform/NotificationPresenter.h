// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalNotification.h"

#include <functional>
#include <string>

namespace florelle {

// Puts local notifications and the badge number in front of the user; the
// desktop's notification service in the program, a recorder in tests.
class NotificationPresenter {
public:
    virtual ~NotificationPresenter() = default;

    // Shows the notification now, with its action as a button. False when
    // the desktop could not be reached.
    virtual bool present(const LocalNotification& notification) = 0;
    // Shows the number on the application's icon where the desktop has
    // badges; 0 hides it.
    virtual void showBadgeNumber(int number) = 0;

    // The user chose the action of a notification this presenter showed;
    // with the token that lets the window it opens take the focus, when the
    // desktop gave one (else empty).
    std::function<void(const LocalNotification&, const std::string& activationToken)>
        onActionInvoked;
};

} // namespace florelle
