// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PasswordVault.h"

#include "DesktopSession.h"
#include "support/TestEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace florelle {
namespace {

// A desktop whose session bus has no Secret Service: nothing is kept and
// nothing found, so the sync form asks for the password each time.
TEST(PasswordVaultTest, WithoutASecretServiceNothingIsKept) {
    testing::PrivateSessionBus bus;
    if (bus.address().empty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    const char* before = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    std::string saved = before ? before : "";
    ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
    testing::LogCapture log;
    SecretServiceVault vault;
    EXPECT_FALSE(vault.keep("https://calendar.example.org", "anna", "secret"));
    EXPECT_EQ(vault.password("https://calendar.example.org", "anna"), std::nullopt);
    EXPECT_TRUE(log.contains("SecretServiceVault: cannot keep a password"));
    if (before) {
        ::setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
    } else {
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
}

} // namespace
} // namespace florelle
