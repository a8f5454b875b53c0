// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NetworkMonitor.h"

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "platform/NetlinkNetworkFlagsSource.h"
#include "platform/NetworkRouteTable.h"
#include "support/FakeNetwork.h"
#include "support/TestEnvironment.h"

#include <cstring>
#include <gtest/gtest.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <net/if_arp.h>

namespace florelle {
namespace {

using F = NetworkFlag;

TEST(NetworkStatusRulesTest, EveryNamedCombination) {
    struct Row {
        NetworkFlags flags;
        NetworkStatus network;
        NetworkStatus localWiFi;
    };
    const Row rows[] = {
        {0, NotReachable, NotReachable},
        {F::isCellular | F::isDirect, NotReachable, NotReachable},
        {F::reachable, ReachableViaWiFi, NotReachable},
        {F::reachable | F::isCellular, ReachableViaWWAN, NotReachable},
        {F::reachable | F::isCellular | F::connectionRequired, ReachableViaWWAN, NotReachable},
        {F::reachable | F::isDirect, ReachableViaWiFi, ReachableViaWiFi},
        {F::reachable | F::isLocalAddress | F::isDirect, ReachableViaWiFi, ReachableViaWiFi},
        {F::reachable | F::transientConnection, ReachableViaWiFi, NotReachable},
        {F::reachable | F::connectionRequired, NotReachable, NotReachable},
        {F::reachable | F::connectionRequired | F::connectionOnTraffic, ReachableViaWiFi,
         NotReachable},
        {F::reachable | F::connectionRequired | F::connectionOnDemand, ReachableViaWiFi,
         NotReachable},
        {F::reachable | F::connectionRequired | F::connectionOnTraffic | F::interventionRequired,
         NotReachable, NotReachable},
        {F::reachable | F::connectionRequired | F::connectionOnDemand | F::interventionRequired,
         NotReachable, NotReachable},
        {F::isDirect, NotReachable, NotReachable},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(networkStatusForFlags(row.flags), row.network) << row.flags;
        EXPECT_EQ(localWiFiStatusForFlags(row.flags), row.localWiFi) << row.flags;
    }
}

TEST(NetworkStatusRulesTest, TheLogLineShowsOneLetterPerFlag) {
    EXPECT_EQ(networkFlagsLogLine(0, "caller"), "Network flags: -- ------- caller\n");
    EXPECT_EQ(networkFlagsLogLine(0x7003f, "all"), "Network flags: WR tcCiDld all\n");
    EXPECT_EQ(networkFlagsLogLine(F::reachable | F::isDirect, "x"),
              "Network flags: -R ------d x\n");
}

// Writes netlink messages as the kernel sends them in a dump.
class DumpWriter {
public:
    void link(int index, const char* name, unsigned type, unsigned flags) {
        ifinfomsg info{};
        info.ifi_index = index;
        info.ifi_type = static_cast<unsigned short>(type);
        info.ifi_flags = flags;
        std::size_t start = begin(RTM_NEWLINK, &info, sizeof info);
        attribute(IFLA_IFNAME, name, std::strlen(name) + 1);
        end(start);
    }

    void route(int family, const std::vector<std::uint8_t>& destination, int prefix, int link,
               bool gateway, std::uint32_t metric, unsigned char type = RTN_UNICAST) {
        rtmsg message{};
        message.rtm_family = static_cast<unsigned char>(family);
        message.rtm_dst_len = static_cast<unsigned char>(prefix);
        message.rtm_type = type;
        message.rtm_table = RT_TABLE_MAIN;
        std::size_t start = begin(RTM_NEWROUTE, &message, sizeof message);
        if (!destination.empty()) {
            attribute(RTA_DST, destination.data(), destination.size());
        }
        if (gateway) {
            std::uint8_t someRouter[4] = {192, 0, 2, 1};
            attribute(RTA_GATEWAY, someRouter, sizeof someRouter);
        }
        attribute(RTA_OIF, &link, sizeof link);
        attribute(RTA_PRIORITY, &metric, sizeof metric);
        end(start);
    }

    void done() {
        int status = 0;
        end(begin(NLMSG_DONE, &status, sizeof status));
    }

    NetworkRouteTable::Reading readInto(NetworkRouteTable& table) const {
        return table.addMessages(reinterpret_cast<const std::uint8_t*>(words_.data()), size_);
    }

private:
    std::size_t begin(std::uint16_t type, const void* body, std::size_t length) {
        std::size_t start = size_;
        nlmsghdr header{};
        header.nlmsg_type = type;
        append(&header, sizeof header);
        append(body, length);
        return start;
    }
    void attribute(unsigned short type, const void* data, std::size_t length) {
        rtattr header{};
        header.rta_type = type;
        header.rta_len = static_cast<unsigned short>(RTA_LENGTH(length));
        append(&header, sizeof header);
        append(data, length);
    }
    void end(std::size_t start) {
        auto length = static_cast<std::uint32_t>(size_ - start);
        std::memcpy(bytes() + start, &length, sizeof length);
    }
    void append(const void* data, std::size_t length) {
        std::size_t padded = NLMSG_ALIGN(length);
        words_.resize((size_ + padded + 3) / 4);
        std::memcpy(bytes() + size_, data, length);
        size_ += padded;
    }
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(words_.data()); }

    std::vector<std::uint32_t> words_;
    std::size_t size_ = 0;
};

constexpr unsigned upAndRunning = IFF_UP | IFF_RUNNING;

TEST(NetworkRouteTableTest, ReadsWhatLinksAndRoutesSay) {
    DumpWriter dump;
    dump.link(1, "lo", ARPHRD_LOOPBACK, upAndRunning | IFF_LOOPBACK);
    dump.link(2, "wlan0", ARPHRD_ETHER, upAndRunning);
    dump.link(3, "wwan0", 519, upAndRunning);
    dump.route(AF_INET, {}, 0, 2, true, 600);
    dump.route(AF_INET, {}, 0, 3, true, 700);
    dump.route(AF_INET, {169, 254, 0, 0}, 16, 2, false, 1000);
    dump.route(AF_INET, {192, 0, 2, 7}, 32, 2, false, 0, RTN_LOCAL);
    dump.done();
    NetworkRouteTable table;
    ASSERT_EQ(dump.readInto(table), NetworkRouteTable::Reading::done);
    ASSERT_EQ(table.links().size(), 3u);
    EXPECT_EQ(table.links()[2].name, "wwan0");
    ASSERT_EQ(table.routes().size(), 4u);

    EXPECT_EQ(table.flagsFor(NetworkTarget::internet()), F::reachable);
    EXPECT_EQ(table.flagsFor(NetworkTarget::localWiFi()), F::reachable | F::isDirect);
    EXPECT_EQ(table.flagsFor(*NetworkTarget::fromNumericAddress("169.254.3.4")),
              F::reachable | F::isDirect);
    EXPECT_EQ(table.flagsFor(*NetworkTarget::fromNumericAddress("198.51.100.1")), F::reachable);
    EXPECT_EQ(table.flagsFor(*NetworkTarget::fromNumericAddress("192.0.2.7")),
              F::reachable | F::isLocalAddress | F::isDirect);
    EXPECT_EQ(table.flagsFor(*NetworkTarget::fromNumericAddress("fd00::1")), 0u);
    EXPECT_EQ(table.flagsFor(NetworkTarget::fromHostName("forum.example")),
              table.flagsFor(NetworkTarget::internet()));
}

TEST(NetworkRouteTableTest, TheInternetThroughAModemIsCellularAndADownLinkIsNoRoute) {
    DumpWriter dump;
    dump.link(2, "wlan0", ARPHRD_ETHER, IFF_UP);
    dump.link(3, "wwan0", ARPHRD_ETHER, upAndRunning);
    dump.route(AF_INET, {}, 0, 2, true, 600);
    dump.route(AF_INET6, {}, 0, 3, true, 700);
    NetworkRouteTable table;
    EXPECT_EQ(dump.readInto(table), NetworkRouteTable::Reading::more);
    EXPECT_EQ(table.flagsFor(NetworkTarget::internet()), F::reachable | F::isCellular);
    EXPECT_EQ(table.flagsFor(NetworkTarget::localWiFi()), 0u);

    NetworkRouteTable none;
    DumpWriter onlyDown;
    onlyDown.link(2, "eth0", ARPHRD_ETHER, 0);
    onlyDown.route(AF_INET, {}, 0, 2, true, 0);
    onlyDown.readInto(none);
    EXPECT_EQ(none.flagsFor(NetworkTarget::internet()), 0u);
}

TEST(NetworkRouteTableTest, ACutMessageFailsTheReading) {
    NetworkRouteTable table;
    std::vector<std::uint32_t> words(8, 0);
    words[0] = 200; // claims more than there is
    EXPECT_EQ(table.addMessages(reinterpret_cast<const std::uint8_t*>(words.data()), 32),
              NetworkRouteTable::Reading::failed);
}

TEST(NetlinkNetworkFlagsSourceTest, ReadsTheMachinesOwnRoutes) {
    auto table = NetlinkNetworkFlagsSource::readRouteTable();
    ASSERT_TRUE(table);
    EXPECT_FALSE(table->links().empty());
    for (const auto& link : table->links()) {
        if (link.name == "lo" && (link.flags & IFF_UP)) {
            EXPECT_EQ(table->flagsFor(*NetworkTarget::fromNumericAddress("127.0.0.1")),
                      F::reachable | F::isLocalAddress | F::isDirect);
        }
    }
    NetlinkNetworkFlagsSource source;
    EXPECT_TRUE(source.flagsFor(NetworkTarget::internet()));
    EXPECT_NE(source.subscribe([] {}), nullptr);
}

class NetworkMonitorTest : public testing::DiaryTest {
protected:
    testing::FakeNetwork network_;
};

TEST_F(NetworkMonitorTest, StatusFollowsTheFlagsAndLogsThem) {
    auto internet = NetworkMonitor::monitorForInternetConnection();
    auto local = NetworkMonitor::monitorForLocalWiFi();
    EXPECT_EQ(internet->currentStatus(), ReachableViaWiFi);
    EXPECT_TRUE(log_->contains("Network flags: -R ------- networkStatusForFlags"));
    EXPECT_EQ(local->currentStatus(), NotReachable);
    EXPECT_TRUE(log_->contains("Network flags: -R ------- localWiFiStatusForFlags"));

    network_.setFlagsFor(NetworkTarget::localWiFi(), F::reachable | F::isDirect);
    EXPECT_EQ(local->currentStatus(), ReachableViaWiFi);
    network_.setFlags(F::reachable | F::connectionRequired);
    EXPECT_TRUE(internet->connectionRequired());
    EXPECT_EQ(internet->currentStatus(), NotReachable);
    network_.setFlags(std::nullopt);
    EXPECT_EQ(internet->currentStatus(), NotReachable);
    EXPECT_FALSE(internet->connectionRequired());
}

TEST_F(NetworkMonitorTest, TheNotifierPostsFromTheRunLoopUntilStopped) {
    auto monitor = NetworkMonitor::monitorForInternetConnection();
    std::vector<const void*> objects;
    auto observation = NotificationCenter::defaultCenter().addObserver(
        NetworkMonitor::kNetworkStatusChangedNotification,
        [&](const Notification& notification) { objects.push_back(notification.object); });
    ASSERT_TRUE(monitor->startNotifier());
    ASSERT_TRUE(monitor->startNotifier());
    EXPECT_EQ(network_.subscriberCount(), 1);

    network_.announceChange();
    EXPECT_TRUE(objects.empty());
    RunLoop::current().runOnce();
    EXPECT_EQ(objects, std::vector<const void*>{monitor.get()});

    monitor->stopNotifier();
    network_.announceChange();
    RunLoop::current().runOnce();
    EXPECT_EQ(objects.size(), 1u);

    monitor->startNotifier();
    network_.announceChange();
    monitor.reset();
    RunLoop::current().runOnce();
    EXPECT_EQ(objects.size(), 1u);
}

} // namespace
} // namespace florelle
