// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/SpawnedServer.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <gio/gio.h>
#include <memory>
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

// A connection to a bus served from a thread of its own by a GLib main
// loop, as a desktop service serves it; gone with the object. `setUp`
// registers what the service offers, on that thread, and then the service
// takes the well-known `name` on the bus, all before the constructor returns.
class BusServiceThread {
public:
    BusServiceThread(const std::string& address, const char* name,
                     const std::function<void(GDBusConnection*)>& setUp);
    BusServiceThread(const BusServiceThread&) = delete;
    BusServiceThread& operator=(const BusServiceThread&) = delete;
    ~BusServiceThread();
    GDBusConnection* connection() const { return connection_; }

private:
    void serve(const std::string& address, const char* name,
               const std::function<void(GDBusConnection*)>& setUp, std::promise<void>& ready);

    std::thread thread_;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    GDBusConnection* connection_ = nullptr;
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
    void emitActivationToken(std::uint32_t id, const char* token);
    // What was asked so far, once there are at least `count` calls (or
    // badges), or after ten seconds at most.
    std::vector<Call> calls(std::size_t count = 1);
    std::vector<gint64> badges(std::size_t count = 1);

private:
    void emit(const char* signal, GVariant* parameters);
    void setUp(GDBusConnection* connection);
    static void methodCalled(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                             const gchar*, GVariant* parameters, GDBusMethodInvocation* invocation,
                             gpointer self);
    static void badgeSent(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                          GVariant* parameters, gpointer self);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call> calls_;
    std::vector<gint64> badges_;
    // Last: its thread ends before what it fills goes.
    std::unique_ptr<BusServiceThread> bus_;
};

} // namespace florelle::testing
