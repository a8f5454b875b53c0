// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ApplicationRequest.h"
#include "GLibHandles.h"
#include "GMainContextSource.h"

#include <functional>
#include <gio/gio.h>
#include <memory>
#include <optional>
#include <string>

namespace florelle {

// One window per session: the open window owns the bus name
// org.florelle.Florelle and answers org.freedesktop.Application there, so
// that the desktop's launcher, a second start and the reminder helper reach
// it instead of opening another window on the same diary. Activate and Open
// ask it to come to the front; ActivateAction "reminder", with the reminder's
// alert action as its parameter, asks it to act on that reminder too. The
// platform data's "activation-token" (else "desktop-startup-id") travels
// with each request, which comes as onRequest on the current run loop.
class ApplicationService {
public:
    static constexpr const char* busName = "org.florelle.Florelle";
    static constexpr const char* objectPath = "/org/florelle/Florelle";
    static constexpr const char* reminderAction = "reminder";

    // Connects to the session bus, or to the bus at `address`; nullptr (and
    // a log line) when there is none.
    static std::unique_ptr<ApplicationService>
    connect(const std::optional<std::string>& address = std::nullopt);
    ApplicationService(const ApplicationService&) = delete;
    ApplicationService& operator=(const ApplicationService&) = delete;
    ~ApplicationService();

    // Takes the bus name and answers there from now on; false when another
    // process holds it (or the bus refused).
    bool claim();
    // Hands the request to the process that holds the name, without
    // starting one; true once it accepted it.
    bool handOver(const ApplicationRequest& request) const;

    std::function<void(const ApplicationRequest&)> onRequest;

private:
    explicit ApplicationService(GDBusConnection* connection);
    static void methodCalled(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                             const gchar* method, GVariant* parameters,
                             GDBusMethodInvocation* invocation, gpointer self);

    GObjectHandle<GDBusConnection> connection_;
    GMainContextHandle context_;
    guint registration_ = 0;
    std::unique_ptr<GMainContextSource> contextSource_;
};

} // namespace florelle
