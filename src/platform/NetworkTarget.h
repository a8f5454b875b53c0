// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct sockaddr;

namespace florelle {

// A place whose reachability a NetworkMonitor follows: an IPv4 or IPv6
// address. The zero IPv4 address stands for any route to the internet.
class NetworkTarget {
public:
    // The zero IPv4 address.
    static NetworkTarget internet();
    // The link-local network 169.254.0.0.
    static NetworkTarget localWiFi();
    // An IPv4 or IPv6 socket address; std::nullopt for other families.
    static std::optional<NetworkTarget> fromSocketAddress(const sockaddr& address);
    // A numeric address ("192.0.2.1", "fd00::1"); std::nullopt otherwise.
    static std::optional<NetworkTarget> fromNumericAddress(const std::string& text);
    // A numeric address stands for itself. Any other name stands for the
    // internet: finding its address would send a question to a name server,
    // and nothing leaves the machine without the user asking.
    static NetworkTarget fromHostName(const std::string& name);

    // AF_INET or AF_INET6.
    int family() const { return family_; }
    // The address in network byte order; IPv4 uses the first four bytes.
    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }
    int addressLength() const;
    bool isInternet() const;

private:
    NetworkTarget(int family, const std::array<std::uint8_t, 16>& bytes)
        : family_(family), bytes_(bytes) {}

    int family_;
    std::array<std::uint8_t, 16> bytes_;
};

} // namespace florelle
