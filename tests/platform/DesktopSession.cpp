// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopSession.h"

#include <chrono>

namespace florelle::testing {

PrivateSessionBus::PrivateSessionBus()
    : daemon_("/usr/bin/dbus-daemon", {"--session", "--nofork", "--print-address=3"}) {}

BusServiceThread::BusServiceThread(const std::string& address, const char* name,
                                   const std::function<void(GDBusConnection*)>& setUp) {
    std::promise<void> ready;
    thread_ = std::thread([&] { serve(address, name, setUp, ready); });
    ready.get_future().wait();
}

BusServiceThread::~BusServiceThread() {
    g_main_context_invoke(
        context_,
        [](gpointer loop) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(loop));
            return G_SOURCE_REMOVE;
        },
        loop_);
    thread_.join();
}

void BusServiceThread::serve(const std::string& address, const char* name,
                             const std::function<void(GDBusConnection*)>& setUp,
                             std::promise<void>& ready) {
    context_ = g_main_context_new();
    g_main_context_push_thread_default(context_);
    loop_ = g_main_loop_new(context_, FALSE);
    connection_ = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    setUp(connection_);
    GVariant* owned = g_dbus_connection_call_sync(
        connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "RequestName", g_variant_new("(su)", name, 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, -1,
        nullptr, nullptr);
    if (owned) {
        g_variant_unref(owned);
    }
    ready.set_value();
    g_main_loop_run(loop_);
    g_object_unref(connection_);
    g_main_loop_unref(loop_);
    g_main_context_pop_thread_default(context_);
    while (g_main_context_iteration(context_, FALSE)) {
    }
    g_main_context_unref(context_);
}

FakeNotificationService::FakeNotificationService(const std::string& address)
    : bus_(std::make_unique<BusServiceThread>(
          address, "org.freedesktop.Notifications",
          [this](GDBusConnection* connection) { setUp(connection); })) {}

FakeNotificationService::~FakeNotificationService() = default;

void FakeNotificationService::emitActionInvoked(std::uint32_t id, const char* key) {
    emit("ActionInvoked", g_variant_new("(us)", id, key));
}

void FakeNotificationService::emitActivationToken(std::uint32_t id, const char* token) {
    emit("ActivationToken", g_variant_new("(us)", id, token));
}

void FakeNotificationService::emit(const char* signal, GVariant* parameters) {
    g_dbus_connection_emit_signal(bus_->connection(), nullptr, "/org/freedesktop/Notifications",
                                  "org.freedesktop.Notifications", signal, parameters, nullptr);
    g_dbus_connection_flush_sync(bus_->connection(), nullptr, nullptr);
}

std::vector<FakeNotificationService::Call> FakeNotificationService::calls(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(10), [&] { return calls_.size() >= count; });
    return calls_;
}

std::vector<gint64> FakeNotificationService::badges(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(10), [&] { return badges_.size() >= count; });
    return badges_;
}

void FakeNotificationService::setUp(GDBusConnection* connection) {
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
        "<node><interface name='org.freedesktop.Notifications'>"
        "<method name='Notify'><arg type='s' direction='in'/><arg type='u' direction='in'/>"
        "<arg type='s' direction='in'/><arg type='s' direction='in'/>"
        "<arg type='s' direction='in'/><arg type='as' direction='in'/>"
        "<arg type='a{sv}' direction='in'/><arg type='i' direction='in'/>"
        "<arg type='u' direction='out'/></method>"
        "<signal name='ActionInvoked'><arg type='u'/><arg type='s'/></signal>"
        "<signal name='ActivationToken'><arg type='u'/><arg type='s'/></signal>"
        "</interface></node>",
        nullptr);
    static const GDBusInterfaceVTable vtable = {
        &FakeNotificationService::methodCalled, nullptr, nullptr, {}};
    g_dbus_connection_register_object(connection, "/org/freedesktop/Notifications",
                                      node->interfaces[0], &vtable, this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    g_dbus_connection_signal_subscribe(connection, nullptr, "com.canonical.Unity.LauncherEntry",
                                       "Update", nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                       &FakeNotificationService::badgeSent, this, nullptr);
}

void FakeNotificationService::methodCalled(GDBusConnection*, const gchar*, const gchar*,
                                           const gchar*, const gchar*, GVariant* parameters,
                                           GDBusMethodInvocation* invocation, gpointer self) {
    auto* service = static_cast<FakeNotificationService*>(self);
    Call call;
    const gchar *appName, *icon, *summary, *body;
    guint32 replaces;
    GVariantIter* actions;
    GVariant* hints;
    gint32 timeout;
    g_variant_get(parameters, "(&su&s&s&sas@a{sv}i)", &appName, &replaces, &icon, &summary, &body,
                  &actions, &hints, &timeout);
    call.appName = appName;
    call.summary = summary;
    call.body = body;
    const gchar* action;
    while (g_variant_iter_next(actions, "&s", &action)) {
        call.actions.emplace_back(action);
    }
    g_variant_iter_free(actions);
    const gchar* text;
    if (g_variant_lookup(hints, "desktop-entry", "&s", &text)) {
        call.desktopEntry = text;
    }
    if (g_variant_lookup(hints, "sound-name", "&s", &text)) {
        call.soundName = text;
    }
    g_variant_unref(hints);
    {
        std::lock_guard lock(service->mutex_);
        service->calls_.push_back(call);
    }
    service->changed_.notify_all();
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", notificationId));
}

void FakeNotificationService::badgeSent(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                        const gchar*, GVariant* parameters, gpointer self) {
    auto* service = static_cast<FakeNotificationService*>(self);
    GVariant* properties = g_variant_get_child_value(parameters, 1);
    gint64 count = -1;
    g_variant_lookup(properties, "count", "x", &count);
    g_variant_unref(properties);
    {
        std::lock_guard lock(service->mutex_);
        service->badges_.push_back(count);
    }
    service->changed_.notify_all();
}

} // namespace florelle::testing
