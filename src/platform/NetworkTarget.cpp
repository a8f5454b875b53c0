// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkTarget.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>

namespace florelle {

NetworkTarget NetworkTarget::internet() {
    return NetworkTarget(AF_INET, {});
}

NetworkTarget NetworkTarget::localWiFi() {
    return NetworkTarget(AF_INET, {169, 254, 0, 0});
}

std::optional<NetworkTarget> NetworkTarget::fromSocketAddress(const sockaddr& address) {
    std::array<std::uint8_t, 16> bytes{};
    if (address.sa_family == AF_INET) {
        sockaddr_in ipv4;
        std::memcpy(&ipv4, &address, sizeof ipv4);
        std::memcpy(bytes.data(), &ipv4.sin_addr, 4);
        return NetworkTarget(AF_INET, bytes);
    }
    if (address.sa_family == AF_INET6) {
        sockaddr_in6 ipv6;
        std::memcpy(&ipv6, &address, sizeof ipv6);
        std::memcpy(bytes.data(), &ipv6.sin6_addr, 16);
        return NetworkTarget(AF_INET6, bytes);
    }
    return std::nullopt;
}

std::optional<NetworkTarget> NetworkTarget::fromNumericAddress(const std::string& text) {
    std::array<std::uint8_t, 16> bytes{};
    if (inet_pton(AF_INET, text.c_str(), bytes.data()) == 1) {
        return NetworkTarget(AF_INET, bytes);
    }
    if (inet_pton(AF_INET6, text.c_str(), bytes.data()) == 1) {
        return NetworkTarget(AF_INET6, bytes);
    }
    return std::nullopt;
}

NetworkTarget NetworkTarget::fromHostName(const std::string& name) {
    return fromNumericAddress(name).value_or(internet());
}

int NetworkTarget::addressLength() const {
    return family_ == AF_INET ? 4 : 16;
}

bool NetworkTarget::isInternet() const {
    return family_ == AF_INET && bytes_ == std::array<std::uint8_t, 16>{};
}

} // namespace florelle
