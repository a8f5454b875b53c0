#pragma once

#include "support/SpawnedServer.h"

#include <condition_variable>
#include <cstdint>
#include <future>
#include <gio/gio.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace florelle::testing {

// A session bus of the test's own (dbus-daemon), gone with the object. The
// address is empty where dbus-daemon is not installed.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    const std::string& address() const { return daemon_.firstLine(); }

private:
    SpawnedServer daemon_;
};

// Plays the desktop's notification service on a bus, on its own thread,
// and records what it is asked and the badge updates it hears.
class FakeNotificationService {
public:
    struct Call {
        std::string appName, summary, body, desktopEntry, soundName;
        std::vector<std::string> actions;
    };
    static constexpr std::uint32_t notificationId = 7;

    explicit FakeNotificationService(const std::string& address);
    FakeNotificationService(const FakeNotificationService&) = delete;
    FakeNotificationService& operator=(const FakeNotificationService&) = delete;
    ~FakeNotificationService();

    void emitActionInvoked(std::uint32_t id, const char* key);
    // What was asked so far, once there are at least `count` calls (or
    // badges), or after ten seconds at most.
    std::vector<Call> calls(std::size_t count = 1);
    std::vector<gint64> badges(std::size_t count = 1);

private:
    void serve(const std::string& address, std::promise<void>& ready);
    static void methodCalled(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                             const gchar*, GVariant* parameters, GDBusMethodInvocation* invocation,
                             gpointer self);
    static void badgeSent(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                          GVariant* parameters, gpointer self);

    std::thread thread_;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    GDBusConnection* connection_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call> calls_;
    std::vector<gint64> badges_;
};

} // namespace florelle::testing
