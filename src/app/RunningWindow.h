// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ApplicationRequest.h"

#include <functional>

namespace florelle {

class ApplicationService;
class NotificationPresenter;

// The open window's answer to a later start (handed over on the bus) and to
// the button of a reminder it showed itself: a reminder reaches the
// application's delegate as a pressed notification, and the window comes to
// the front with the activation token it was given.
class RunningWindow {
public:
    // `raise` brings the window to the front; none for a headless run.
    explicit RunningWindow(std::function<void()> raise = nullptr) : raise_(std::move(raise)) {}

    // Both the service's requests and the presenter's pressed buttons come
    // here (either may be null); they must not outlive this object.
    void listen(ApplicationService* service, NotificationPresenter* presenter);
    void handle(const ApplicationRequest& request);

private:
    std::function<void()> raise_;
};

} // namespace florelle
