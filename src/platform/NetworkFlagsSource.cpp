// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkFlagsSource.h"

#include "NetlinkNetworkFlagsSource.h"

#include <mutex>

namespace florelle {

namespace {

std::mutex sourceMutex;

std::shared_ptr<NetworkFlagsSource>& currentSourceSlot() {
    static std::shared_ptr<NetworkFlagsSource> source =
        std::make_shared<NetlinkNetworkFlagsSource>();
    return source;
}

} // namespace

std::shared_ptr<NetworkFlagsSource> NetworkFlagsSource::current() {
    std::lock_guard lock(sourceMutex);
    return currentSourceSlot();
}

void NetworkFlagsSource::setCurrent(std::shared_ptr<NetworkFlagsSource> source) {
    std::lock_guard lock(sourceMutex);
    currentSourceSlot() =
        source ? std::move(source) : std::make_shared<NetlinkNetworkFlagsSource>();
}

} // namespace florelle
