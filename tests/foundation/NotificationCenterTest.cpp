// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/NotificationCenter.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace florelle {
namespace {

TEST(NotificationCenterTest, DeliversByNameAndStopsAfterRemoval) {
    NotificationCenter center;
    std::vector<std::string> received;
    auto observation = center.addObserver(
        "CalDataSourceChangedNotification",
        [&](const Notification& notification) { received.push_back(notification.name); });

    center.post("CalDataSourceChangedNotification");
    center.post("SomethingElse");
    EXPECT_EQ(received, std::vector<std::string>{"CalDataSourceChangedNotification"});

    observation.reset();
    center.post("CalDataSourceChangedNotification");
    EXPECT_EQ(received.size(), 1u);
    EXPECT_EQ(center.observerCount("CalDataSourceChangedNotification"), 0u);
}

TEST(NotificationCenterTest, AnObservationRemovesItselfWhenItsOwnerGoes) {
    NotificationCenter center;
    int calls = 0;
    {
        auto observation = center.addObserver("ping", [&](const Notification&) { ++calls; });
        center.post("ping");
    }
    center.post("ping");
    EXPECT_EQ(calls, 1);
}

TEST(NotificationCenterTest, ObjectFilterMatchesOnlyThatSender) {
    NotificationCenter center;
    int monitorA = 0;
    int monitorB = 0;
    std::vector<const void*> forA;
    std::vector<const void*> forAny;
    auto onlyA = center.addObserver(
        "kNetworkStatusChangedNotification",
        [&](const Notification& notification) { forA.push_back(notification.object); }, &monitorA);
    auto any = center.addObserver(
        "kNetworkStatusChangedNotification",
        [&](const Notification& notification) { forAny.push_back(notification.object); });

    center.post("kNetworkStatusChangedNotification", &monitorA);
    center.post("kNetworkStatusChangedNotification", &monitorB);
    EXPECT_EQ(forA, std::vector<const void*>{&monitorA});
    EXPECT_EQ(forAny, (std::vector<const void*>{&monitorA, &monitorB}));
}

TEST(NotificationCenterTest, AnObserverRemovedDuringDeliveryIsNotCalled) {
    NotificationCenter center;
    int secondCalls = 0;
    std::optional<NotificationCenter::Observation> second;
    auto first = center.addObserver("ping", [&](const Notification&) { second.reset(); });
    second = center.addObserver("ping", [&](const Notification&) { ++secondCalls; });
    center.post("ping");
    EXPECT_EQ(secondCalls, 0);
}

TEST(NotificationCenterTest, AnObserverMayRemoveItselfWhileCalled) {
    NotificationCenter center;
    int calls = 0;
    NotificationCenter::Observation self;
    self = center.addObserver("ping", [&](const Notification&) {
        ++calls;
        self.reset();
    });
    center.post("ping");
    center.post("ping");
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace florelle
