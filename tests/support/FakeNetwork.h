// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NetworkFlags.h"
#include "platform/NetworkFlagsSource.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace florelle::testing {

// A network that says what the test tells it. While a FakeNetwork lives it
// is NetworkFlagsSource::current(); it restores the machine's own source
// when it goes.
//
//     FakeNetwork network;                 // starts online: reachable
//     network.setFlags(0);                 // offline
//     network.setFlags(std::nullopt);      // flags cannot be read
//     network.announceChange();            // subscribers (started notifiers) hear of it
//     RunLoop::current().runOnce();        // ...and NetworkMonitor posts
//                                          // kNetworkStatusChangedNotification
//
// The same flags answer for every target unless setFlagsFor gives a target
// (by NetworkTarget::bytes) its own. Safe to read from any thread.
class FakeNetwork {
public:
    static constexpr NetworkFlags online = NetworkFlag::reachable;

    FakeNetwork();
    FakeNetwork(const FakeNetwork&) = delete;
    FakeNetwork& operator=(const FakeNetwork&) = delete;
    ~FakeNetwork();

    void setFlags(std::optional<NetworkFlags> flags);
    void setFlagsFor(const NetworkTarget& target, std::optional<NetworkFlags> flags);
    // Calls every live subscriber's handler at once, on this thread.
    void announceChange();
    int subscriberCount() const;

private:
    class Source;
    std::shared_ptr<Source> source_;
};

} // namespace florelle::testing
