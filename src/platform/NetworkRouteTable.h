// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NetworkFlags.h"
#include "NetworkTarget.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace florelle {

// The machine's network interfaces and routes as the kernel's routing
// socket reports them, and what they say about reaching a target:
//
// - The internet (the zero address) is reachable when a default route of
//   either family leads through an interface that is up and running; when
//   the preferred one (lowest metric) runs through a mobile-broadband
//   device it is cellular.
// - Another address is reachable through the most specific route covering
//   it on an interface that is up and running. A route without a gateway
//   reaches it directly (the local link), unless the device is cellular;
//   an address of the machine itself is a local address, reached directly.
//
// Linux tells nothing of connections made on demand or needing the user,
// so those flags are never set here.
class NetworkRouteTable {
public:
    struct Link {
        int index = 0;
        std::string name;
        unsigned type = 0;  // ARPHRD_*
        unsigned flags = 0; // IFF_*
    };
    struct Route {
        int family = 0;
        std::array<std::uint8_t, 16> destination{};
        int prefixLength = 0;
        unsigned type = 0; // RTN_*
        bool hasGateway = false;
        int link = 0;
        std::uint32_t priority = 0;
    };

    enum class Reading { more, done, failed };

    // Takes in the messages of one received datagram of a link or route dump
    // (or of an event); others are skipped. `done` once the dump's end came,
    // `failed` when the kernel answered with an error or a message is cut.
    Reading addMessages(const std::uint8_t* data, std::size_t size);

    void addLink(Link link);
    void addRoute(const Route& route);

    const std::vector<Link>& links() const { return links_; }
    const std::vector<Route>& routes() const { return routes_; }

    NetworkFlags flagsFor(const NetworkTarget& target) const;

    // A mobile-broadband device: a raw-IP or PPP link, or one named as the
    // kernel's modem drivers name theirs (wwan*, rmnet*, ccmni*, qmimux*).
    static bool isCellular(const Link& link);

private:
    const Link* linkWithIndex(int index) const;
    bool isUsable(const Route& route) const;
    NetworkFlags internetFlags() const;
    NetworkFlags addressFlags(const NetworkTarget& target) const;

    std::vector<Link> links_;
    std::vector<Route> routes_;
};

} // namespace florelle
