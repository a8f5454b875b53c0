// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeEmailPortal.h"

#include <algorithm>
#include <chrono>
#include <gio/gunixfdlist.h>
#include <unistd.h>

namespace florelle::testing {

FakeEmailPortal::FakeEmailPortal(const std::string& address)
    : bus_(std::make_unique<BusServiceThread>(
          address, "org.freedesktop.portal.Desktop",
          [this](GDBusConnection* connection) { setUp(connection); })) {}

FakeEmailPortal::~FakeEmailPortal() = default;

std::vector<FakeEmailPortal::Call> FakeEmailPortal::calls(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(10), [&] { return calls_.size() >= count; });
    return calls_;
}

void FakeEmailPortal::setUp(GDBusConnection* connection) {
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
        "<node><interface name='org.freedesktop.portal.Email'>"
        "<method name='ComposeEmail'><arg type='s' direction='in'/>"
        "<arg type='a{sv}' direction='in'/><arg type='o' direction='out'/></method>"
        "<property name='version' type='u' access='read'/>"
        "</interface></node>",
        nullptr);
    static const GDBusInterfaceVTable vtable = {
        &FakeEmailPortal::methodCalled, &FakeEmailPortal::propertyRead, nullptr, {}};
    g_dbus_connection_register_object(connection, "/org/freedesktop/portal/desktop",
                                      node->interfaces[0], &vtable, this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
}

GVariant* FakeEmailPortal::propertyRead(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                        const gchar*, GError**, gpointer) {
    return g_variant_new_uint32(4);
}

void FakeEmailPortal::methodCalled(GDBusConnection* connection, const gchar* sender, const gchar*,
                                   const gchar*, const gchar*, GVariant* parameters,
                                   GDBusMethodInvocation* invocation, gpointer self) {
    auto* portal = static_cast<FakeEmailPortal*>(self);
    GVariant* options = g_variant_get_child_value(parameters, 1);
    Call call;
    const gchar* text = nullptr;
    if (g_variant_lookup(options, "subject", "&s", &text)) {
        call.subject = text;
    }
    GUnixFDList* fds =
        g_dbus_message_get_unix_fd_list(g_dbus_method_invocation_get_message(invocation));
    GVariantIter* handles = nullptr;
    if (fds && g_variant_lookup(options, "attachment_fds", "ah", &handles)) {
        gint32 handle = 0;
        while (g_variant_iter_next(handles, "h", &handle)) {
            int fd = g_unix_fd_list_get(fds, handle, nullptr);
            std::string contents;
            char buffer[256];
            for (ssize_t count; (count = ::pread(fd, buffer, sizeof buffer,
                                                 static_cast<off_t>(contents.size()))) > 0;) {
                contents.append(buffer, static_cast<size_t>(count));
            }
            ::close(fd);
            call.attachments.push_back(contents);
        }
        g_variant_iter_free(handles);
    }
    // The request's path as the portal forms it from the caller and its token.
    std::string caller = sender + 1;
    std::replace(caller.begin(), caller.end(), '.', '_');
    const gchar* token = "none";
    g_variant_lookup(options, "handle_token", "&s", &token);
    std::string path = "/org/freedesktop/portal/desktop/request/" + caller + "/" + token;
    g_variant_unref(options);
    {
        std::lock_guard lock(portal->mutex_);
        portal->calls_.push_back(call);
    }
    portal->changed_.notify_all();
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", path.c_str()));
    g_dbus_connection_emit_signal(
        connection, sender, path.c_str(), "org.freedesktop.portal.Request", "Response",
        g_variant_new("(u@a{sv})", portal->answer_.load(),
                      g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0)),
        nullptr);
}

} // namespace florelle::testing
