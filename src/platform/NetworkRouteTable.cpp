// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkRouteTable.h"

#include <algorithm>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sys/socket.h>

namespace florelle {

namespace {

// Older headers lack the raw-IP link type that modem drivers use.
constexpr unsigned rawIpLinkType = 519;

bool covers(const NetworkRouteTable::Route& route, const NetworkTarget& target) {
    if (route.family != target.family() || route.prefixLength > target.addressLength() * 8) {
        return false;
    }
    int whole = route.prefixLength / 8;
    if (std::memcmp(route.destination.data(), target.bytes().data(), whole) != 0) {
        return false;
    }
    int rest = route.prefixLength % 8;
    if (rest == 0) {
        return true;
    }
    auto mask = static_cast<std::uint8_t>(0xff << (8 - rest));
    return (route.destination[whole] & mask) == (target.bytes()[whole] & mask);
}

NetworkRouteTable::Link readLink(const nlmsghdr* header) {
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(header));
    NetworkRouteTable::Link link;
    link.index = info->ifi_index;
    link.type = info->ifi_type;
    link.flags = info->ifi_flags;
    int length = static_cast<int>(IFLA_PAYLOAD(header));
    for (const rtattr* attribute = IFLA_RTA(info); RTA_OK(attribute, length);
         attribute = RTA_NEXT(attribute, length)) {
        if (attribute->rta_type == IFLA_IFNAME) {
            const char* name = static_cast<const char*>(RTA_DATA(attribute));
            link.name.assign(name, strnlen(name, RTA_PAYLOAD(attribute)));
        }
    }
    return link;
}

template <typename T> T attributeValue(const rtattr* attribute) {
    T value{};
    std::memcpy(&value, RTA_DATA(attribute),
                std::min<std::size_t>(sizeof value, RTA_PAYLOAD(attribute)));
    return value;
}

// One route per next hop: a route over several paths is several routes.
void readRoute(const nlmsghdr* header, NetworkRouteTable& table) {
    const auto* message = static_cast<const rtmsg*>(NLMSG_DATA(header));
    NetworkRouteTable::Route route;
    route.family = message->rtm_family;
    route.prefixLength = message->rtm_dst_len;
    route.type = message->rtm_type;
    const rtattr* multipath = nullptr;
    int length = static_cast<int>(RTM_PAYLOAD(header));
    for (const rtattr* attribute = RTM_RTA(message); RTA_OK(attribute, length);
         attribute = RTA_NEXT(attribute, length)) {
        switch (attribute->rta_type) {
        case RTA_DST:
            std::memcpy(route.destination.data(), RTA_DATA(attribute),
                        std::min<std::size_t>(route.destination.size(), RTA_PAYLOAD(attribute)));
            break;
        case RTA_GATEWAY:
            route.hasGateway = true;
            break;
        case RTA_OIF:
            route.link = attributeValue<int>(attribute);
            break;
        case RTA_PRIORITY:
            route.priority = attributeValue<std::uint32_t>(attribute);
            break;
        case RTA_MULTIPATH:
            multipath = attribute;
            break;
        default:
            break;
        }
    }
    if (!multipath) {
        table.addRoute(route);
        return;
    }
    const auto* hop = static_cast<const rtnexthop*>(RTA_DATA(multipath));
    auto left = static_cast<long>(RTA_PAYLOAD(multipath));
    while (left >= static_cast<long>(sizeof(rtnexthop)) && hop->rtnh_len >= sizeof(rtnexthop) &&
           hop->rtnh_len <= left) {
        NetworkRouteTable::Route path = route;
        path.link = hop->rtnh_ifindex;
        int hopLength = hop->rtnh_len - static_cast<int>(RTNH_LENGTH(0));
        for (const rtattr* attribute = RTNH_DATA(hop); RTA_OK(attribute, hopLength);
             attribute = RTA_NEXT(attribute, hopLength)) {
            path.hasGateway = path.hasGateway || attribute->rta_type == RTA_GATEWAY;
        }
        table.addRoute(path);
        left -= RTNH_ALIGN(hop->rtnh_len);
        hop = RTNH_NEXT(hop);
    }
}

} // namespace

NetworkRouteTable::Reading NetworkRouteTable::addMessages(const std::uint8_t* data,
                                                          std::size_t size) {
    auto length = static_cast<unsigned>(size);
    for (const auto* header = reinterpret_cast<const nlmsghdr*>(data); length > 0;
         header = NLMSG_NEXT(header, length)) {
        if (!NLMSG_OK(header, length)) {
            return Reading::failed;
        }
        switch (header->nlmsg_type) {
        case NLMSG_DONE:
            return Reading::done;
        case NLMSG_ERROR:
            return Reading::failed;
        case RTM_NEWLINK:
            if (header->nlmsg_len >= NLMSG_LENGTH(sizeof(ifinfomsg))) {
                addLink(readLink(header));
            }
            break;
        case RTM_NEWROUTE:
            if (header->nlmsg_len >= NLMSG_LENGTH(sizeof(rtmsg))) {
                readRoute(header, *this);
            }
            break;
        default:
            break;
        }
    }
    return Reading::more;
}

void NetworkRouteTable::addLink(Link link) {
    links_.push_back(std::move(link));
}

void NetworkRouteTable::addRoute(const Route& route) {
    routes_.push_back(route);
}

bool NetworkRouteTable::isCellular(const Link& link) {
    if (link.type == rawIpLinkType || link.type == ARPHRD_PPP) {
        return true;
    }
    for (const char* prefix : {"wwan", "rmnet", "ccmni", "qmimux"}) {
        if (link.name.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

const NetworkRouteTable::Link* NetworkRouteTable::linkWithIndex(int index) const {
    auto found = std::find_if(links_.begin(), links_.end(),
                              [index](const Link& link) { return link.index == index; });
    return found == links_.end() ? nullptr : &*found;
}

bool NetworkRouteTable::isUsable(const Route& route) const {
    const Link* link = linkWithIndex(route.link);
    unsigned running = IFF_UP | IFF_RUNNING;
    return route.type == RTN_UNICAST && link && (link->flags & running) == running;
}

NetworkFlags NetworkRouteTable::flagsFor(const NetworkTarget& target) const {
    return target.isInternet() ? internetFlags() : addressFlags(target);
}

NetworkFlags NetworkRouteTable::internetFlags() const {
    const Route* best = nullptr;
    for (const auto& route : routes_) {
        const Link* link = linkWithIndex(route.link);
        if (route.prefixLength == 0 && isUsable(route) && !(link->flags & IFF_LOOPBACK) &&
            (!best || route.priority < best->priority)) {
            best = &route;
        }
    }
    if (!best) {
        return 0;
    }
    return NetworkFlag::reachable |
           (isCellular(*linkWithIndex(best->link)) ? NetworkFlag::isCellular : 0);
}

NetworkFlags NetworkRouteTable::addressFlags(const NetworkTarget& target) const {
    const Route* best = nullptr;
    for (const auto& route : routes_) {
        if (!covers(route, target)) {
            continue;
        }
        if (route.type == RTN_LOCAL) {
            return NetworkFlag::reachable | NetworkFlag::isLocalAddress | NetworkFlag::isDirect;
        }
        if (isUsable(route) &&
            (!best || route.prefixLength > best->prefixLength ||
             (route.prefixLength == best->prefixLength && route.priority < best->priority))) {
            best = &route;
        }
    }
    if (!best) {
        return 0;
    }
    if (isCellular(*linkWithIndex(best->link))) {
        return NetworkFlag::reachable | NetworkFlag::isCellular;
    }
    return NetworkFlag::reachable | (best->hasGateway ? 0 : NetworkFlag::isDirect);
}

} // namespace florelle
