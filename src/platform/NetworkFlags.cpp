// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkFlags.h"

namespace florelle {

NetworkStatus networkStatusForFlags(NetworkFlags flags) {
    if (!(flags & NetworkFlag::reachable)) {
        return NotReachable;
    }
    if (flags & NetworkFlag::isCellular) {
        return ReachableViaWWAN;
    }
    if (!(flags & NetworkFlag::connectionRequired)) {
        return ReachableViaWiFi;
    }
    bool automatic = flags & (NetworkFlag::connectionOnTraffic | NetworkFlag::connectionOnDemand);
    if (automatic && !(flags & NetworkFlag::interventionRequired)) {
        return ReachableViaWiFi;
    }
    return NotReachable;
}

NetworkStatus localWiFiStatusForFlags(NetworkFlags flags) {
    NetworkFlags both = NetworkFlag::reachable | NetworkFlag::isDirect;
    return (flags & both) == both ? ReachableViaWiFi : NotReachable;
}

std::string networkFlagsLogLine(NetworkFlags flags, std::string_view caller) {
    auto letter = [flags](NetworkFlags bit, char shown) { return (flags & bit) ? shown : '-'; };
    std::string line = "Network flags: ";
    line += letter(NetworkFlag::isCellular, 'W');
    line += letter(NetworkFlag::reachable, 'R');
    line += ' ';
    line += letter(NetworkFlag::transientConnection, 't');
    line += letter(NetworkFlag::connectionRequired, 'c');
    line += letter(NetworkFlag::connectionOnTraffic, 'C');
    line += letter(NetworkFlag::interventionRequired, 'i');
    line += letter(NetworkFlag::connectionOnDemand, 'D');
    line += letter(NetworkFlag::isLocalAddress, 'l');
    line += letter(NetworkFlag::isDirect, 'd');
    line += ' ';
    line += caller;
    line += '\n';
    return line;
}

} // namespace florelle
