// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopNotificationPresenter.h"

#include "GLibHandles.h"
#include "SessionBus.h"
#include "foundation/Log.h"

namespace florelle {

namespace {

constexpr const char* serviceName = "org.freedesktop.Notifications";
constexpr const char* servicePath = "/org/freedesktop/Notifications";
constexpr const char* serviceInterface = "org.freedesktop.Notifications";
constexpr const char* applicationName = "Florelle";
// The sound theme's name for an incoming message.
constexpr const char* messageSound = "message-new-instant";
constexpr const char* launcherEntryPath = "/org/florelle/Florelle/LauncherEntry";
constexpr const char* launcherEntryInterface = "com.canonical.Unity.LauncherEntry";
constexpr int callTimeoutMilliseconds = 5000;

GVariant* hintsFor(const LocalNotification& notification) {
    GVariantBuilder hints;
    g_variant_builder_init(&hints, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&hints, "{sv}", "desktop-entry",
                          g_variant_new_string(DesktopNotificationPresenter::desktopEntry));
    if (notification.soundName.empty()) {
        g_variant_builder_add(&hints, "{sv}", "suppress-sound", g_variant_new_boolean(TRUE));
    } else {
        const std::string& sound = notification.soundName;
        bool standard = sound == LocalNotification::defaultSoundName;
        g_variant_builder_add(&hints, "{sv}", "sound-name",
                              g_variant_new_string(standard ? messageSound : sound.c_str()));
    }
    return g_variant_builder_end(&hints);
}

} // namespace

std::shared_ptr<DesktopNotificationPresenter>
DesktopNotificationPresenter::connect(const std::optional<std::string>& address) {
    GDBusConnection* connection = connectToSessionBus(address, "DesktopNotificationPresenter");
    if (connection == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<DesktopNotificationPresenter>(
        new DesktopNotificationPresenter(connection));
}

DesktopNotificationPresenter::DesktopNotificationPresenter(GDBusConnection* connection)
    : connection_(connection), context_(g_main_context_new()) {
    // Signal handlers run in the context that was the thread's default when
    // they were subscribed: ours, served by the run loop.
    g_main_context_push_thread_default(context_.get());
    subscription_ = g_dbus_connection_signal_subscribe(
        connection_.get(), serviceName, serviceInterface, nullptr, servicePath, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &DesktopNotificationPresenter::signalReceived, this, nullptr);
    g_main_context_pop_thread_default(context_.get());
    contextSource_ = std::make_unique<GMainContextSource>(context_.get());
}

DesktopNotificationPresenter::~DesktopNotificationPresenter() {
    // Whoever listened may be gone before us.
    onActionInvoked = nullptr;
    g_dbus_connection_signal_unsubscribe(connection_.get(), subscription_);
    contextSource_.reset();
    // Handlers already queued hold the connection; let them go without us.
    while (g_main_context_iteration(context_.get(), FALSE)) {
    }
}

bool DesktopNotificationPresenter::isConnected() const {
    return !g_dbus_connection_is_closed(connection_.get());
}

bool DesktopNotificationPresenter::present(const LocalNotification& notification) {
    GVariantBuilder actions;
    g_variant_builder_init(&actions, G_VARIANT_TYPE("as"));
    g_variant_builder_add(&actions, "s", "default");
    g_variant_builder_add(&actions, "s", notification.alertAction.c_str());
    g_variant_builder_add(&actions, "s", actionKey);
    g_variant_builder_add(&actions, "s", notification.alertAction.c_str());
    GVariant* parameters =
        g_variant_new("(susss@as@a{sv}i)", applicationName, 0u, desktopEntry, applicationName,
                      notification.alertBody.c_str(), g_variant_builder_end(&actions),
                      hintsFor(notification), -1);
    GError* rawError = nullptr;
    GVariantHandle reply(g_dbus_connection_call_sync(connection_.get(), serviceName, servicePath,
                                                     serviceInterface, "Notify", parameters,
                                                     G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE,
                                                     callTimeoutMilliseconds, nullptr, &rawError));
    if (!reply) {
        GErrorHandle error(rawError);
        Log::write(std::string("DesktopNotificationPresenter: the notification service did not "
                               "answer: ") +
                   error->message);
        return false;
    }
    std::uint32_t id = 0;
    g_variant_get(reply.get(), "(u)", &id);
    shown_[id] = {notification, {}};
    return true;
}

void DesktopNotificationPresenter::showBadgeNumber(int number) {
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&properties, "{sv}", "count",
                          g_variant_new_int64(static_cast<gint64>(number)));
    g_variant_builder_add(&properties, "{sv}", "count-visible", g_variant_new_boolean(number > 0));
    std::string applicationUri = std::string("application://") + desktopEntry + ".desktop";
    GError* rawError = nullptr;
    if (!g_dbus_connection_emit_signal(
            connection_.get(), nullptr, launcherEntryPath, launcherEntryInterface, "Update",
            g_variant_new("(s@a{sv})", applicationUri.c_str(), g_variant_builder_end(&properties)),
            &rawError)) {
        GErrorHandle error(rawError);
        Log::write(std::string("DesktopNotificationPresenter: the badge could not be sent: ") +
                   error->message);
    }
}

void DesktopNotificationPresenter::signalReceived(GDBusConnection*, const gchar*, const gchar*,
                                                  const gchar*, const gchar* signal,
                                                  GVariant* parameters, gpointer self) {
    auto* presenter = static_cast<DesktopNotificationPresenter*>(self);
    std::uint32_t id = 0;
    if (g_strcmp0(signal, "ActionInvoked") == 0 &&
        g_variant_is_of_type(parameters, G_VARIANT_TYPE("(us)"))) {
        const gchar* action = nullptr;
        g_variant_get(parameters, "(u&s)", &id, &action);
        presenter->actionInvoked(id, action);
    } else if (g_strcmp0(signal, "ActivationToken") == 0 &&
               g_variant_is_of_type(parameters, G_VARIANT_TYPE("(us)"))) {
        const gchar* token = nullptr;
        g_variant_get(parameters, "(u&s)", &id, &token);
        if (auto found = presenter->shown_.find(id); found != presenter->shown_.end()) {
            found->second.activationToken = token;
        }
    } else if (g_strcmp0(signal, "NotificationClosed") == 0 &&
               g_variant_is_of_type(parameters, G_VARIANT_TYPE("(uu)"))) {
        std::uint32_t reason = 0;
        g_variant_get(parameters, "(uu)", &id, &reason);
        presenter->shown_.erase(id);
    }
}

void DesktopNotificationPresenter::actionInvoked(std::uint32_t id, const std::string& action) {
    auto found = shown_.find(id);
    // Other applications' notifications share the signal.
    if (found == shown_.end() || (action != actionKey && action != "default")) {
        return;
    }
    Shown shown = std::move(found->second);
    shown_.erase(found);
    if (onActionInvoked) {
        onActionInvoked(shown.notification, shown.activationToken);
    }
}

} // namespace florelle
