// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesktopSession.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <gio/gio.h>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace florelle::testing {

// Plays the desktop portal's e-mail interface on a bus, on its own thread:
// it reads the attached files through the descriptors it is passed, records
// them, and answers each request with the response code the test chose.
class FakeEmailPortal {
public:
    struct Call {
        std::string subject;
        std::vector<std::string> attachments; // each file's contents
    };

    explicit FakeEmailPortal(const std::string& address);
    FakeEmailPortal(const FakeEmailPortal&) = delete;
    FakeEmailPortal& operator=(const FakeEmailPortal&) = delete;
    ~FakeEmailPortal();

    // 0 sent on, 1 cancelled, 2 ended otherwise.
    void answerWith(std::uint32_t code) { answer_ = code; }
    // The calls so far, once there are `count` (or after ten seconds).
    std::vector<Call> calls(std::size_t count);

private:
    void setUp(GDBusConnection* connection);
    static void methodCalled(GDBusConnection* connection, const gchar* sender, const gchar*,
                             const gchar*, const gchar*, GVariant* parameters,
                             GDBusMethodInvocation* invocation, gpointer self);
    static GVariant* propertyRead(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                  const gchar*, GError**, gpointer);

    std::atomic<std::uint32_t> answer_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call> calls_;
    // Last: its thread ends before what it fills goes.
    std::unique_ptr<BusServiceThread> bus_;
};

} // namespace florelle::testing
