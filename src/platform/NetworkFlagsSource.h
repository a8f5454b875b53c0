// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NetworkFlags.h"
#include "NetworkTarget.h"

#include <functional>
#include <memory>
#include <optional>

namespace florelle {

// Where the reachability flags of the whole program come from. The process
// has one current source, the machine's own (NetlinkNetworkFlagsSource)
// unless a test puts a fake in its place (tests/support/FakeNetwork.h).
class NetworkFlagsSource {
public:
    // Keeps a change handler registered while it lives.
    class Subscription {
    public:
        virtual ~Subscription() = default;
    };

    virtual ~NetworkFlagsSource() = default;

    // The flags for reaching the target now; std::nullopt when they cannot
    // be read. Safe to call from any thread.
    virtual std::optional<NetworkFlags> flagsFor(const NetworkTarget& target) = 0;

    // Calls `changed` on the calling thread's run loop whenever the
    // machine's interfaces, addresses or routes may have changed, until the
    // subscription goes. nullptr when changes cannot be followed.
    virtual std::unique_ptr<Subscription> subscribe(std::function<void()> changed) = 0;

    static std::shared_ptr<NetworkFlagsSource> current();
    // nullptr restores the machine's own source.
    static void setCurrent(std::shared_ptr<NetworkFlagsSource> source);
};

} // namespace florelle
