// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionBus.h"

#include "foundation/Log.h"

namespace florelle {

GDBusConnection* connectToSessionBus(const std::optional<std::string>& address, const char* who) {
    GError* error = nullptr;
    GDBusConnection* connection =
        address
            ? g_dbus_connection_new_for_address_sync(
                  address->c_str(),
                  static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                    G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                  nullptr, nullptr, &error)
            : g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (connection == nullptr) {
        Log::write(std::string(who) +
                   ": no session bus: " + (error ? error->message : "unknown reason"));
        g_clear_error(&error);
        return nullptr;
    }
    g_dbus_connection_set_exit_on_close(connection, FALSE);
    return connection;
}

} // namespace florelle
