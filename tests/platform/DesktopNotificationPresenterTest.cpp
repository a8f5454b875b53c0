// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopNotificationPresenter.h"

#include "DesktopSession.h"
#include "foundation/Clock.h"
#include "foundation/RunLoop.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

TEST(DesktopNotificationPresenterTest, ShowsThroughTheNotificationServiceAndHearsTheButton) {
    PrivateSessionBus bus;
    if (bus.address().empty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    FakeNotificationService service(bus.address());
    auto presenter = DesktopNotificationPresenter::connect(bus.address());
    ASSERT_TRUE(presenter);
    EXPECT_TRUE(presenter->isConnected());
    std::vector<LocalNotification> invoked;
    std::vector<std::string> tokens;
    presenter->onActionInvoked = [&](const LocalNotification& note, const std::string& token) {
        invoked.push_back(note);
        tokens.push_back(token);
    };

    LocalNotification reminder;
    reminder.alertBody = "Your period starts in 2 days!";
    reminder.alertAction = "Period details";
    ASSERT_TRUE(presenter->present(reminder));
    auto calls = service.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].appName, "Florelle");
    EXPECT_EQ(calls[0].body, reminder.alertBody);
    EXPECT_EQ(calls[0].actions,
              (std::vector<std::string>{"default", "Period details", "open", "Period details"}));
    EXPECT_EQ(calls[0].desktopEntry, "org.florelle.Florelle");
    EXPECT_EQ(calls[0].soundName, "message-new-instant");

    // Another application's notification is not ours; the token for focus
    // comes just before the button.
    service.emitActionInvoked(FakeNotificationService::notificationId + 1, "open");
    service.emitActivationToken(FakeNotificationService::notificationId, "token-7");
    service.emitActionInvoked(FakeNotificationService::notificationId, "open");
    Date deadline = Clock::current()->now().addingSeconds(10);
    RunLoop::current().runUntil([&] { return !invoked.empty(); }, deadline);
    ASSERT_EQ(invoked.size(), 1u);
    EXPECT_EQ(invoked[0], reminder);
    EXPECT_EQ(tokens[0], "token-7");

    presenter->showBadgeNumber(3);
    EXPECT_EQ(service.badges(), std::vector<gint64>{3});
}

TEST(DesktopNotificationPresenterTest, TheEndOfTheSessionIsSeenAndShowingFailsQuietly) {
    auto bus = std::make_unique<PrivateSessionBus>();
    if (bus->address().empty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    auto presenter = DesktopNotificationPresenter::connect(bus->address());
    ASSERT_TRUE(presenter);
    // Nobody serves notifications on this bus.
    EXPECT_FALSE(presenter->present(LocalNotification{}));
    bus.reset();
    Date deadline = Clock::current()->now().addingSeconds(10);
    RunLoop::current().runUntil([&] { return !presenter->isConnected(); }, deadline);
    EXPECT_FALSE(presenter->isConnected());
    EXPECT_FALSE(presenter->present(LocalNotification{}));
}

TEST(DesktopNotificationPresenterTest, NoBusIsAClearFailure) {
    EXPECT_EQ(DesktopNotificationPresenter::connect("unix:path=/nonexistent/bus"), nullptr);
}

} // namespace
