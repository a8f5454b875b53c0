// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace florelle {

// What is known about reaching a place on the network, as a set of bits.
using NetworkFlags = std::uint32_t;

// The bits of NetworkFlags.
struct NetworkFlag {
    static constexpr NetworkFlags transientConnection = 1;
    static constexpr NetworkFlags reachable = 2;
    static constexpr NetworkFlags connectionRequired = 4;
    static constexpr NetworkFlags connectionOnTraffic = 8;
    static constexpr NetworkFlags interventionRequired = 16;
    static constexpr NetworkFlags connectionOnDemand = 32;
    static constexpr NetworkFlags isLocalAddress = 65536;
    static constexpr NetworkFlags isDirect = 131072;
    static constexpr NetworkFlags isCellular = 262144;
};

// How a place can be reached.
enum NetworkStatus { NotReachable = 0, ReachableViaWiFi = 1, ReachableViaWWAN = 2 };

// The network rule: unreachable is NotReachable; through the cellular
// network ReachableViaWWAN; otherwise ReachableViaWiFi when no connection
// has to be made first, or when one is made by itself (on traffic or on
// demand, without the user stepping in); else NotReachable.
NetworkStatus networkStatusForFlags(NetworkFlags flags);

// The local Wi-Fi rule: ReachableViaWiFi when the place is reachable
// directly on the local link, else NotReachable.
NetworkStatus localWiFiStatusForFlags(NetworkFlags flags);

// "Network flags: WR tcCiDld caller": one letter or '-' per flag, the
// cellular and reachable flags first, the rest in the order of their bits.
std::string networkFlagsLogLine(NetworkFlags flags, std::string_view caller);

} // namespace florelle
