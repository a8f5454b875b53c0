// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NetworkFlags.h"
#include "NetworkFlagsSource.h"
#include "NetworkTarget.h"

#include <memory>
#include <optional>
#include <string>

struct sockaddr;

namespace florelle {

// Follows whether a place on the network can be reached, and how, with the
// flags of NetworkFlagsSource::current(). Each evaluation writes the flags to
// the log.
//
//     auto monitor = NetworkMonitor::monitorForInternetConnection();
//     if (monitor->currentStatus() == NotReachable) { ... }
//     monitor->startNotifier(); // kNetworkStatusChangedNotification follows
//
// Belongs to the thread that made it; made by the factories below, so that
// the notifier can tell when the monitor is gone.
class NetworkMonitor : public std::enable_shared_from_this<NetworkMonitor> {
public:
    // Posted on NotificationCenter::defaultCenter() with the monitor as
    // object, on the run loop of the thread that started the notifier.
    static constexpr const char* kNetworkStatusChangedNotification =
        "kNetworkStatusChangedNotification";

    // Any route to the internet (the zero IPv4 address).
    static std::shared_ptr<NetworkMonitor> monitorForInternetConnection();
    // The local link (169.254.0.0), judged by the local Wi-Fi rule.
    static std::shared_ptr<NetworkMonitor> monitorForLocalWiFi();
    // An IPv4 or IPv6 socket address; nullptr for other families.
    static std::shared_ptr<NetworkMonitor> monitorWithAddress(const sockaddr& address);
    // See NetworkTarget::fromHostName: no name server is asked.
    static std::shared_ptr<NetworkMonitor> monitorWithHostName(const std::string& hostName);

    NetworkMonitor(NetworkTarget target, bool localWiFi);
    NetworkMonitor(const NetworkMonitor&) = delete;
    NetworkMonitor& operator=(const NetworkMonitor&) = delete;
    ~NetworkMonitor();

    // NotReachable when the flags cannot be read.
    NetworkStatus currentStatus() const;
    // False when the flags cannot be read.
    bool connectionRequired() const;
    // The flags now; std::nullopt when they cannot be read.
    std::optional<NetworkFlags> flags() const;

    // False when changes cannot be followed. Starting twice keeps one notifier.
    bool startNotifier();
    void stopNotifier();

    const NetworkTarget& target() const { return target_; }

private:
    void statusMayHaveChanged();

    NetworkTarget target_;
    bool localWiFi_;
    std::unique_ptr<NetworkFlagsSource::Subscription> subscription_;
};

} // namespace florelle
