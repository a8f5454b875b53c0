// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkMonitor.h"

#include "foundation/Log.h"
#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"

namespace florelle {

std::shared_ptr<NetworkMonitor> NetworkMonitor::monitorForInternetConnection() {
    return std::make_shared<NetworkMonitor>(NetworkTarget::internet(), false);
}

std::shared_ptr<NetworkMonitor> NetworkMonitor::monitorForLocalWiFi() {
    return std::make_shared<NetworkMonitor>(NetworkTarget::localWiFi(), true);
}

std::shared_ptr<NetworkMonitor> NetworkMonitor::monitorWithAddress(const sockaddr& address) {
    auto target = NetworkTarget::fromSocketAddress(address);
    return target ? std::make_shared<NetworkMonitor>(*target, false) : nullptr;
}

std::shared_ptr<NetworkMonitor> NetworkMonitor::monitorWithHostName(const std::string& hostName) {
    return std::make_shared<NetworkMonitor>(NetworkTarget::fromHostName(hostName), false);
}

NetworkMonitor::NetworkMonitor(NetworkTarget target, bool localWiFi)
    : target_(target), localWiFi_(localWiFi) {}

NetworkMonitor::~NetworkMonitor() = default;

std::optional<NetworkFlags> NetworkMonitor::flags() const {
    return NetworkFlagsSource::current()->flagsFor(target_);
}

NetworkStatus NetworkMonitor::currentStatus() const {
    auto read = flags();
    if (!read) {
        return NotReachable;
    }
    const char* rule = localWiFi_ ? "localWiFiStatusForFlags" : "networkStatusForFlags";
    Log::write(networkFlagsLogLine(*read, rule));
    return localWiFi_ ? localWiFiStatusForFlags(*read) : networkStatusForFlags(*read);
}

bool NetworkMonitor::connectionRequired() const {
    auto read = flags();
    return read && (*read & NetworkFlag::connectionRequired);
}

bool NetworkMonitor::startNotifier() {
    if (subscription_) {
        return true;
    }
    // The notice goes out from a task of its own, so an observer may drop
    // the monitor (and with it the subscription) while handling it.
    std::weak_ptr<NetworkMonitor> weakSelf = weak_from_this();
    RunLoop& loop = RunLoop::current();
    subscription_ = NetworkFlagsSource::current()->subscribe([weakSelf, &loop] {
        loop.post([weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->statusMayHaveChanged();
            }
        });
    });
    return subscription_ != nullptr;
}

void NetworkMonitor::stopNotifier() {
    subscription_.reset();
}

void NetworkMonitor::statusMayHaveChanged() {
    NotificationCenter::defaultCenter().post(kNetworkStatusChangedNotification, this);
}

} // namespace florelle
