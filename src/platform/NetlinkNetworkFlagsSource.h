// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NetworkFlagsSource.h"
#include "NetworkRouteTable.h"

namespace florelle {

// The machine's own reachability, from the kernel's routing socket: each
// question reads the interfaces and routes afresh (see NetworkRouteTable for
// what they mean), and subscribers hear of every link, address or route
// event of IPv4 and IPv6. Nothing is sent beyond the machine.
class NetlinkNetworkFlagsSource : public NetworkFlagsSource {
public:
    std::optional<NetworkFlags> flagsFor(const NetworkTarget& target) override;
    std::unique_ptr<Subscription> subscribe(std::function<void()> changed) override;

    // The interfaces and routes now; std::nullopt (and a log line) when the
    // kernel cannot be asked.
    static std::optional<NetworkRouteTable> readRouteTable();
};

} // namespace florelle
