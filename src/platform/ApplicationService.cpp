// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationService.h"

#include "SessionBus.h"
#include "foundation/Log.h"

namespace florelle {

namespace {

constexpr const char* interfaceName = "org.freedesktop.Application";
constexpr const char* interfaceXml =
    "<node><interface name='org.freedesktop.Application'>"
    "<method name='Activate'><arg type='a{sv}' name='platform_data' direction='in'/></method>"
    "<method name='Open'><arg type='as' name='uris' direction='in'/>"
    "<arg type='a{sv}' name='platform_data' direction='in'/></method>"
    "<method name='ActivateAction'><arg type='s' name='action_name' direction='in'/>"
    "<arg type='av' name='parameter' direction='in'/>"
    "<arg type='a{sv}' name='platform_data' direction='in'/></method>"
    "</interface></node>";
constexpr const char* tokenKey = "activation-token";
constexpr const char* startupIdKey = "desktop-startup-id";
// RequestName: fail rather than wait in line; the answers meaning it is ours.
constexpr guint32 doNotQueue = 4;
constexpr guint32 primaryOwner = 1;
constexpr guint32 alreadyOwner = 4;
// The open window may still be starting up before it serves the bus.
constexpr int handOverTimeoutMilliseconds = 20000;

std::string activationToken(GVariant* platformData) {
    const gchar* token = nullptr;
    if (g_variant_lookup(platformData, tokenKey, "&s", &token) ||
        g_variant_lookup(platformData, startupIdKey, "&s", &token)) {
        return token;
    }
    return {};
}

GVariant* platformData(const ApplicationRequest& request) {
    GVariantBuilder data;
    g_variant_builder_init(&data, G_VARIANT_TYPE("a{sv}"));
    if (!request.activationToken.empty()) {
        // Wayland shells read the one, X11 window managers the other.
        g_variant_builder_add(&data, "{sv}", tokenKey,
                              g_variant_new_string(request.activationToken.c_str()));
        g_variant_builder_add(&data, "{sv}", startupIdKey,
                              g_variant_new_string(request.activationToken.c_str()));
    }
    return g_variant_builder_end(&data);
}

// The reminder an ActivateAction names, if the action is the reminder's with
// one text parameter.
std::optional<LocalNotification> reminderOf(const gchar* action, GVariant* parameter) {
    if (g_strcmp0(action, ApplicationService::reminderAction) != 0 ||
        g_variant_n_children(parameter) != 1) {
        return std::nullopt;
    }
    GVariantHandle value(g_variant_get_child_value(parameter, 0));
    GVariantHandle text(g_variant_get_variant(value.get()));
    if (!g_variant_is_of_type(text.get(), G_VARIANT_TYPE_STRING)) {
        return std::nullopt;
    }
    LocalNotification reminder;
    reminder.alertAction = g_variant_get_string(text.get(), nullptr);
    return reminder;
}

} // namespace

std::unique_ptr<ApplicationService>
ApplicationService::connect(const std::optional<std::string>& address) {
    GDBusConnection* connection = connectToSessionBus(address, "ApplicationService");
    if (connection == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<ApplicationService>(new ApplicationService(connection));
}

ApplicationService::ApplicationService(GDBusConnection* connection)
    : connection_(connection), context_(g_main_context_new()) {}

ApplicationService::~ApplicationService() {
    // Calls already queued are still answered, but reach nobody.
    onRequest = nullptr;
    if (registration_ != 0) {
        g_dbus_connection_unregister_object(connection_.get(), registration_);
        // The session's connection outlives us: the name must go with us.
        GVariantHandle released(g_dbus_connection_call_sync(
            connection_.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus", "ReleaseName", g_variant_new("(s)", busName), nullptr,
            G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr));
    }
    contextSource_.reset();
    while (g_main_context_iteration(context_.get(), FALSE)) {
    }
}

bool ApplicationService::claim() {
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(interfaceXml, nullptr);
    static const GDBusInterfaceVTable vtable = {
        &ApplicationService::methodCalled, nullptr, nullptr, {}};
    // Calls are answered in the context that is the thread's default when the
    // object is registered: ours, served by the run loop. The object is there
    // before the name, so that no call finds the name without it.
    g_main_context_push_thread_default(context_.get());
    registration_ = g_dbus_connection_register_object(
        connection_.get(), objectPath, node->interfaces[0], &vtable, this, nullptr, nullptr);
    g_main_context_pop_thread_default(context_.get());
    g_dbus_node_info_unref(node);
    if (registration_ == 0) {
        Log::write("ApplicationService: cannot offer the application on the bus");
        return false;
    }
    GError* rawError = nullptr;
    GVariantHandle reply(g_dbus_connection_call_sync(
        connection_.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "RequestName", g_variant_new("(su)", busName, doNotQueue), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &rawError));
    guint32 answer = 0;
    if (reply) {
        g_variant_get(reply.get(), "(u)", &answer);
    } else {
        GErrorHandle error(rawError);
        Log::write(std::string("ApplicationService: the bus refused the name: ") + error->message);
    }
    if (answer != primaryOwner && answer != alreadyOwner) {
        g_dbus_connection_unregister_object(connection_.get(), registration_);
        registration_ = 0;
        return false;
    }
    contextSource_ = std::make_unique<GMainContextSource>(context_.get());
    return true;
}

bool ApplicationService::handOver(const ApplicationRequest& request) const {
    const char* method = request.reminder ? "ActivateAction" : "Activate";
    GVariant* parameters = nullptr;
    if (request.reminder) {
        GVariant* action =
            g_variant_new_variant(g_variant_new_string(request.reminder->alertAction.c_str()));
        parameters = g_variant_new("(s@av@a{sv})", reminderAction,
                                   g_variant_new_array(G_VARIANT_TYPE_VARIANT, &action, 1),
                                   platformData(request));
    } else {
        parameters = g_variant_new("(@a{sv})", platformData(request));
    }
    GError* rawError = nullptr;
    GVariantHandle reply(g_dbus_connection_call_sync(
        connection_.get(), busName, objectPath, interfaceName, method, parameters, nullptr,
        G_DBUS_CALL_FLAGS_NO_AUTO_START, handOverTimeoutMilliseconds, nullptr, &rawError));
    if (!reply) {
        GErrorHandle error(rawError);
        // Nobody holds the name: the usual case when no window is open.
        if (!g_error_matches(error.get(), G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER) &&
            !g_error_matches(error.get(), G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN)) {
            Log::write(std::string("ApplicationService: the open window did not take the "
                                   "request: ") +
                       error->message);
        }
        return false;
    }
    return true;
}

void ApplicationService::methodCalled(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                      const gchar* method, GVariant* parameters,
                                      GDBusMethodInvocation* invocation, gpointer self) {
    auto* service = static_cast<ApplicationService*>(self);
    ApplicationRequest request;
    GVariantHandle data(
        g_variant_get_child_value(parameters, g_variant_n_children(parameters) - 1));
    request.activationToken = activationToken(data.get());
    if (g_strcmp0(method, "ActivateAction") == 0) {
        const gchar* action = nullptr;
        g_variant_get_child(parameters, 0, "&s", &action);
        GVariantHandle parameter(g_variant_get_child_value(parameters, 1));
        request.reminder = reminderOf(action, parameter.get());
        if (!request.reminder) {
            g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR,
                                                  G_DBUS_ERROR_INVALID_ARGS,
                                                  "Florelle has no action %s", action);
            return;
        }
    }
    // Open has no documents to open: it asks for the window like Activate.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    if (service->onRequest) {
        service->onRequest(request);
    }
}

} // namespace florelle
