// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Key.h"
#include "platform/LocalNotification.h"

#include <optional>

namespace florelle {

class Application;

// What the host tells about starting up.
struct LaunchOptions {
    // The local notification whose action started the application, if any.
    std::optional<LocalNotification> localNotification;
};

// Hears the application's life: launch, activation and deactivation, the
// background and the end. Every hook does nothing by default.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    virtual bool didFinishLaunching(Application&, const LaunchOptions&) { return true; }
    virtual void didBecomeActive(Application&) {}
    // The button of a local notification was pressed while the application
    // runs (a launch from one comes in the launch options instead).
    virtual void didReceiveLocalNotification(Application&, const LocalNotification&) {}
    virtual void willResignActive(Application&) {}
    virtual void didEnterBackground(Application&) {}
    virtual void willEnterForeground(Application&) {}
    virtual void willTerminate(Application&) {}
    // A key that moves or acts while no text is being edited; true when used.
    virtual bool keyPressed(Application&, Key) { return false; }
};

} // namespace florelle
