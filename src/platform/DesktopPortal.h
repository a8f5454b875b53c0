// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GLibHandles.h"
#include "GMainContextSource.h"

#include <functional>
#include <gio/gio.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

// The desktop portal (org.freedesktop.portal.Desktop on the session bus),
// through which the desktop's own programs and dialogs send mail, open
// files and choose folders, in a sandbox or not. Its methods answer later,
// with a Response signal of a request object; that answer comes on this
// thread's run loop.
class DesktopPortal {
public:
    // The portal's answer: 0 done, 1 cancelled by the user, 2 ended
    // otherwise; the results as the method's documentation lists them.
    using Answer = std::function<void(unsigned code, GVariant* results)>;

    // Connects to the session bus, or to the bus at `address`; nullptr (and
    // a log line) when there is none.
    static std::shared_ptr<DesktopPortal>
    connect(const std::optional<std::string>& address = std::nullopt);
    DesktopPortal(const DesktopPortal&) = delete;
    DesktopPortal& operator=(const DesktopPortal&) = delete;
    ~DesktopPortal();

    // The version of one of the portal's interfaces
    // ("org.freedesktop.portal.Email"); 0 where the portal does not run or
    // lacks the interface.
    unsigned version(const char* interface);

    // Calls `method` with the `leading` arguments (floating references,
    // taken) and then the options, to which the request's token is added,
    // passing the file descriptors. False (logged) when the call failed; the
    // answer then never comes.
    bool request(const char* interface, const char* method, std::vector<GVariant*> leading,
                 GVariantBuilder& options, GUnixFDList* fds, Answer answered);

private:
    struct Pending {
        guint subscription = 0;
        Answer answered;
    };

    explicit DesktopPortal(GDBusConnection* connection);
    guint subscribe(const std::string& path);
    static void responded(GDBusConnection*, const gchar*, const gchar* path, const gchar*,
                          const gchar*, GVariant* parameters, gpointer self);

    GObjectHandle<GDBusConnection> connection_;
    GMainContextHandle context_;
    std::unique_ptr<GMainContextSource> contextSource_;
    // The requests waiting for their answer, by their object path.
    std::map<std::string, Pending> pending_;
    unsigned nextToken_ = 0;
};

} // namespace florelle
