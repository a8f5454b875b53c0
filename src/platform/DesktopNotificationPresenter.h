// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GLibHandles.h"
#include "GMainContextSource.h"
#include "NotificationPresenter.h"

#include <cstdint>
#include <gio/gio.h>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace florelle {

// Shows local notifications through the desktop's notification service
// (org.freedesktop.Notifications on the session bus): the alert body, one
// button with the alert action, the application's desktop entry and the
// desktop's message sound. The badge number goes out as a launcher entry
// update, which docks and panels that show counts pick up. A pressed button
// comes back as onActionInvoked on the current run loop, with the activation
// token the service sent for it just before.
class DesktopNotificationPresenter : public NotificationPresenter {
public:
    // The application's desktop entry, named in every notification.
    static constexpr const char* desktopEntry = "org.florelle.Florelle";
    // The action key of the button; "default" is a click on the message.
    static constexpr const char* actionKey = "open";

    // Connects to the session bus, or to the bus at `address`; nullptr (and
    // a log line) when there is none.
    static std::shared_ptr<DesktopNotificationPresenter>
    connect(const std::optional<std::string>& address = std::nullopt);
    DesktopNotificationPresenter(const DesktopNotificationPresenter&) = delete;
    DesktopNotificationPresenter& operator=(const DesktopNotificationPresenter&) = delete;
    ~DesktopNotificationPresenter() override;

    // False once the bus went away, as it does when the session ends.
    bool isConnected() const;

    bool present(const LocalNotification& notification) override;
    void showBadgeNumber(int number) override;

private:
    explicit DesktopNotificationPresenter(GDBusConnection* connection);
    static void signalReceived(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar* signal, GVariant* parameters, gpointer self);
    void actionInvoked(std::uint32_t id, const std::string& action);

    struct Shown {
        LocalNotification notification;
        std::string activationToken;
    };

    GObjectHandle<GDBusConnection> connection_;
    GMainContextHandle context_;
    guint subscription_ = 0;
    std::unique_ptr<GMainContextSource> contextSource_;
    // What is on screen, by the service's id.
    std::map<std::uint32_t, Shown> shown_;
};

} // namespace florelle
