// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetlinkNetworkFlagsSource.h"

#include "foundation/FileDescriptor.h"
#include "foundation/FileDescriptorSource.h"
#include "foundation/Log.h"

#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <system_error>

namespace florelle {

namespace {

// Big enough for any one datagram of a dump.
constexpr std::size_t bufferSize = 32768;

FileDescriptor openRoutingSocket(unsigned groups, bool nonBlocking) {
    int options = SOCK_RAW | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0);
    FileDescriptor socket(::socket(AF_NETLINK, options, NETLINK_ROUTE));
    if (!socket.isValid()) {
        return socket;
    }
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = groups;
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        socket.reset();
    }
    return socket;
}

bool dump(int socket, std::uint16_t type, unsigned char family, NetworkRouteTable& table) {
    struct {
        nlmsghdr header;
        rtgenmsg body;
    } request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof request.body);
    request.header.nlmsg_type = type;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = 1;
    request.body.rtgen_family = family;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    if (::sendto(socket, &request, request.header.nlmsg_len, 0,
                 reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel) < 0) {
        return false;
    }
    alignas(nlmsghdr) static thread_local std::uint8_t buffer[bufferSize];
    for (;;) {
        sockaddr_nl sender{};
        socklen_t senderLength = sizeof sender;
        ssize_t received = ::recvfrom(socket, buffer, sizeof buffer, 0,
                                      reinterpret_cast<sockaddr*>(&sender), &senderLength);
        if (received < 0 && errno == EINTR) {
            continue;
        }
        if (received <= 0) {
            return false;
        }
        if (sender.nl_pid != 0) {
            continue;
        }
        switch (table.addMessages(buffer, static_cast<std::size_t>(received))) {
        case NetworkRouteTable::Reading::done:
            return true;
        case NetworkRouteTable::Reading::failed:
            return false;
        case NetworkRouteTable::Reading::more:
            break;
        }
    }
}

class NetlinkSubscription : public NetworkFlagsSource::Subscription {
public:
    NetlinkSubscription(FileDescriptor socket, std::function<void()> changed)
        : socket_(std::move(socket)), changed_(std::move(changed)),
          source_(socket_.get(), POLLIN, [this](short) { drain(); }) {}

private:
    // One call per burst: an address change brings link, address and route
    // events together.
    void drain() {
        alignas(nlmsghdr) static thread_local std::uint8_t buffer[bufferSize];
        bool any = false;
        for (;;) {
            ssize_t received = ::recv(socket_.get(), buffer, sizeof buffer, 0);
            if (received < 0 && errno == EINTR) {
                continue;
            }
            // ENOBUFS: events were lost, which is a change as well.
            if (received > 0 || (received < 0 && errno == ENOBUFS)) {
                any = true;
                continue;
            }
            break;
        }
        if (any) {
            changed_();
        }
    }

    FileDescriptor socket_;
    std::function<void()> changed_;
    FileDescriptorSource source_;
};

} // namespace

std::optional<NetworkRouteTable> NetlinkNetworkFlagsSource::readRouteTable() {
    errno = 0;
    FileDescriptor socket = openRoutingSocket(0, false);
    if (socket.isValid()) {
        // The kernel answers at once; the limit only guards against a wait
        // that should never come.
        timeval limit{1, 0};
        ::setsockopt(socket.get(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        NetworkRouteTable table;
        if (dump(socket.get(), RTM_GETLINK, AF_UNSPEC, table) &&
            dump(socket.get(), RTM_GETROUTE, AF_UNSPEC, table)) {
            return table;
        }
    }
    Log::write(std::string("Network: cannot read the routes: ") +
               (errno ? std::generic_category().message(errno)
                      : "the kernel's answer was not understood"));
    return std::nullopt;
}

std::optional<NetworkFlags> NetlinkNetworkFlagsSource::flagsFor(const NetworkTarget& target) {
    auto table = readRouteTable();
    if (!table) {
        return std::nullopt;
    }
    return table->flagsFor(target);
}

std::unique_ptr<NetworkFlagsSource::Subscription>
NetlinkNetworkFlagsSource::subscribe(std::function<void()> changed) {
    unsigned groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_IFADDR |
                      RTMGRP_IPV6_ROUTE;
    FileDescriptor socket = openRoutingSocket(groups, true);
    if (!socket.isValid()) {
        Log::write(std::string("Network: cannot follow changes: ") +
                   std::generic_category().message(errno));
        return nullptr;
    }
    return std::make_unique<NetlinkSubscription>(std::move(socket), std::move(changed));
}

} // namespace florelle
