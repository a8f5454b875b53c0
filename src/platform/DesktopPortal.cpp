// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopPortal.h"

#include "SessionBus.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"

#include <algorithm>
#include <gio/gunixfdlist.h>

namespace florelle {

namespace {

constexpr const char* portalName = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";
constexpr const char* requestInterface = "org.freedesktop.portal.Request";
// Starting the portal on first use may take a moment; the calls themselves
// answer at once and the dialogs answer later.
constexpr int callTimeoutMilliseconds = 5000;

// Where the portal puts the request of this connection's call with `token`.
std::string requestPath(GDBusConnection* connection, const std::string& token) {
    std::string sender = g_dbus_connection_get_unique_name(connection);
    if (sender.starts_with(':')) {
        sender.erase(0, 1);
    }
    std::replace(sender.begin(), sender.end(), '.', '_');
    return std::string(portalPath) + "/request/" + sender + "/" + token;
}

} // namespace

std::shared_ptr<DesktopPortal> DesktopPortal::connect(const std::optional<std::string>& address) {
    GDBusConnection* connection = connectToSessionBus(address, "DesktopPortal");
    return connection ? std::shared_ptr<DesktopPortal>(new DesktopPortal(connection)) : nullptr;
}

DesktopPortal::DesktopPortal(GDBusConnection* connection)
    : connection_(connection), context_(g_main_context_new()),
      contextSource_(std::make_unique<GMainContextSource>(context_.get())) {}

DesktopPortal::~DesktopPortal() {
    for (const auto& [path, pending] : pending_) {
        g_dbus_connection_signal_unsubscribe(connection_.get(), pending.subscription);
    }
    contextSource_.reset();
    // Handlers already queued hold the connection; let them go without us.
    while (g_main_context_iteration(context_.get(), FALSE)) {
    }
}

unsigned DesktopPortal::version(const char* interface) {
    GError* raw = nullptr;
    GVariantHandle reply(g_dbus_connection_call_sync(
        connection_.get(), portalName, portalPath, "org.freedesktop.DBus.Properties", "Get",
        g_variant_new("(ss)", interface, "version"), G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE,
        callTimeoutMilliseconds, nullptr, &raw));
    GErrorHandle error(raw);
    if (!reply) {
        return 0;
    }
    GVariantHandle value(g_variant_get_child_value(reply.get(), 0));
    GVariantHandle inner(g_variant_get_variant(value.get()));
    return g_variant_is_of_type(inner.get(), G_VARIANT_TYPE_UINT32)
               ? g_variant_get_uint32(inner.get())
               : 0;
}

guint DesktopPortal::subscribe(const std::string& path) {
    // Signal handlers run in the context that was the thread's default when
    // they were subscribed: ours, served by the run loop.
    g_main_context_push_thread_default(context_.get());
    guint subscription = g_dbus_connection_signal_subscribe(
        connection_.get(), portalName, requestInterface, "Response", path.c_str(), nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &DesktopPortal::responded, this, nullptr);
    g_main_context_pop_thread_default(context_.get());
    return subscription;
}

bool DesktopPortal::request(const char* interface, const char* method,
                            std::vector<GVariant*> leading, GVariantBuilder& options,
                            GUnixFDList* fds, Answer answered) {
    std::string token = "florelle" + std::to_string(++nextToken_);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    leading.push_back(g_variant_builder_end(&options));
    // Listening before the call, so that an answer as quick as the reply is heard.
    std::string path = requestPath(connection_.get(), token);
    pending_[path] = {subscribe(path), std::move(answered)};

    GError* raw = nullptr;
    GVariantHandle reply(g_dbus_connection_call_with_unix_fd_list_sync(
        connection_.get(), portalName, portalPath, interface, method,
        g_variant_new_tuple(leading.data(), leading.size()), G_VARIANT_TYPE("(o)"),
        G_DBUS_CALL_FLAGS_NONE, callTimeoutMilliseconds, fds, nullptr, nullptr, &raw));
    GErrorHandle error(raw);
    if (!reply) {
        g_dbus_connection_signal_unsubscribe(connection_.get(), pending_[path].subscription);
        pending_.erase(path);
        Log::write(std::string("DesktopPortal: ") + interface + "." + method +
                   " failed: " + (error ? error->message : "unknown reason"));
        return false;
    }
    const gchar* handle = nullptr;
    g_variant_get(reply.get(), "(&o)", &handle);
    if (path != handle) {
        // Portals older than the token scheme choose their own path.
        Pending moved = std::move(pending_[path]);
        g_dbus_connection_signal_unsubscribe(connection_.get(), moved.subscription);
        pending_.erase(path);
        moved.subscription = subscribe(handle);
        pending_[handle] = std::move(moved);
    }
    return true;
}

void DesktopPortal::responded(GDBusConnection*, const gchar*, const gchar* path, const gchar*,
                              const gchar*, GVariant* parameters, gpointer self) {
    auto* portal = static_cast<DesktopPortal*>(self);
    auto found = portal->pending_.find(path);
    if (found == portal->pending_.end() ||
        !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ua{sv})"))) {
        return;
    }
    g_dbus_connection_signal_unsubscribe(portal->connection_.get(), found->second.subscription);
    Answer answered = std::move(found->second.answered);
    portal->pending_.erase(found);
    guint32 code = 2;
    GVariant* results = nullptr;
    g_variant_get(parameters, "(u@a{sv})", &code, &results);
    // Told from the run loop: the answer may well end the portal's owner.
    RunLoop::current().post([answered = std::move(answered), code, results] {
        answered(code, results);
        g_variant_unref(results);
    });
}

} // namespace florelle
