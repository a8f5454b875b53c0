// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalNotificationCenter.h"

#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/PrivateFiles.h"
#include "foundation/TimeZone.h"

#include <algorithm>
#include <poll.h>
#include <string_view>
#include <sys/inotify.h>
#include <unistd.h>

namespace florelle {

namespace {

// A notification whose time passed before it was scheduled would only repeat
// an old reminder.
bool hasPassed(const LocalNotification& notification) {
    if (notification.dueDate(TimeZone::current()) >= Clock::current()->now()) {
        return false;
    }
    Log::write("LocalNotificationCenter: dropped a notification whose time had passed");
    return true;
}

} // namespace

LocalNotificationCenter::LocalNotificationCenter(LocalNotificationStore store,
                                                 std::shared_ptr<NotificationPresenter> presenter)
    : store_(std::move(store)), presenter_(std::move(presenter)) {}

LocalNotificationCenter::~LocalNotificationCenter() = default;

void LocalNotificationCenter::scheduleLocalNotification(const LocalNotification& notification) {
    if (hasPassed(notification)) {
        return;
    }
    store_.update([&](LocalNotificationStore::Contents& contents) {
        contents.entries.push_back({notification, false});
        return true;
    });
    refresh();
}

void LocalNotificationCenter::cancelAllLocalNotifications() {
    setScheduledLocalNotifications({});
}

void LocalNotificationCenter::setScheduledLocalNotifications(
    const std::vector<LocalNotification>& notifications) {
    std::vector<LocalNotificationStore::Entry> entries;
    for (const auto& notification : notifications) {
        if (!hasPassed(notification)) {
            entries.push_back({notification, false});
        }
    }
    store_.update([&](LocalNotificationStore::Contents& contents) {
        if (contents.entries == entries) {
            return false;
        }
        contents.entries = entries;
        return true;
    });
    refresh();
}

std::vector<LocalNotification> LocalNotificationCenter::scheduledLocalNotifications() const {
    std::vector<LocalNotification> pending;
    for (const auto& entry : store_.read().entries) {
        if (!entry.delivered) {
            pending.push_back(entry.notification);
        }
    }
    TimeZone zone = TimeZone::current();
    std::stable_sort(pending.begin(), pending.end(), [&](const auto& a, const auto& b) {
        return a.dueDate(zone) < b.dueDate(zone);
    });
    return pending;
}

int LocalNotificationCenter::applicationIconBadgeNumber() const {
    return store_.read().badgeNumber;
}

void LocalNotificationCenter::setApplicationIconBadgeNumber(int number) {
    store_.update([number](LocalNotificationStore::Contents& contents) {
        if (contents.badgeNumber == number) {
            return false;
        }
        contents.badgeNumber = number;
        return true;
    });
    badgeNumberMayHaveChanged(number);
}

void LocalNotificationCenter::badgeNumberMayHaveChanged(int number) {
    if (knownBadgeNumber_ == number) {
        return;
    }
    knownBadgeNumber_ = number;
    if (presenter_) {
        presenter_->showBadgeNumber(number);
    }
    if (onBadgeNumberChanged) {
        onBadgeNumberChanged(number);
    }
}

void LocalNotificationCenter::startDelivering() {
    if (delivering_) {
        return;
    }
    delivering_ = true;
    watchStore();
    badgeNumberMayHaveChanged(store_.read().badgeNumber);
    deliverDueNotifications();
    scheduleNextDelivery();
}

int LocalNotificationCenter::deliverDueNotifications() {
    Date now = Clock::current()->now();
    TimeZone zone = TimeZone::current();
    std::vector<LocalNotification> due;
    // Claimed under the store's lock, so that of several delivering
    // processes exactly one shows each notification.
    bool claimed = store_.update([&](LocalNotificationStore::Contents& contents) {
        for (auto& entry : contents.entries) {
            if (!entry.delivered && entry.notification.dueDate(zone) <= now) {
                entry.delivered = true;
                due.push_back(entry.notification);
            }
        }
        return !due.empty();
    });
    if (!claimed) {
        return 0;
    }
    std::stable_sort(due.begin(), due.end(), [&](const auto& a, const auto& b) {
        return a.dueDate(zone) < b.dueDate(zone);
    });
    std::vector<LocalNotification> unshown;
    for (const auto& notification : due) {
        if (!presenter_ || !presenter_->present(prepareForShowing ? prepareForShowing(notification)
                                                                  : notification)) {
            unshown.push_back(notification);
        }
    }
    releaseUnshown(unshown);
    return static_cast<int>(due.size() - unshown.size());
}

void LocalNotificationCenter::releaseUnshown(const std::vector<LocalNotification>& unshown) {
    if (unshown.empty()) {
        retryDate_.reset();
        return;
    }
    retryDate_ = Clock::current()->now().addingSeconds(retryInterval);
    Log::write("LocalNotificationCenter: a due notification could not be shown; it is tried again");
    store_.update([&](LocalNotificationStore::Contents& contents) {
        for (auto& entry : contents.entries) {
            if (entry.delivered &&
                std::find(unshown.begin(), unshown.end(), entry.notification) != unshown.end()) {
                entry.delivered = false;
            }
        }
        return true;
    });
}

std::optional<Date> LocalNotificationCenter::nextDueDate() const {
    auto pending = scheduledLocalNotifications();
    if (pending.empty()) {
        return std::nullopt;
    }
    return pending.front().dueDate(TimeZone::current());
}

void LocalNotificationCenter::refresh() {
    if (!delivering_) {
        return;
    }
    deliverDueNotifications();
    scheduleNextDelivery();
}

void LocalNotificationCenter::scheduleNextDelivery() {
    Date now = Clock::current()->now();
    double wait = recheckInterval;
    // What is still due waits for the retry, not for its own date.
    if (auto next = retryDate_ ? retryDate_ : nextDueDate()) {
        wait = std::clamp(next->secondsSince(now), 0.0, recheckInterval);
    }
    timer_ = Timer(wait, false, [this] { refresh(); });
}

void LocalNotificationCenter::watchStore() {
    inotify_.reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    PrivateFiles::ensureDirectory(store_.directory());
    // The store is replaced by renaming a new file over it: watch the folder.
    if (!inotify_.isValid() || ::inotify_add_watch(inotify_.get(), store_.directory().c_str(),
                                                   IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE) < 0) {
        Log::write("LocalNotificationCenter: cannot watch " + store_.directory().string() +
                   "; changes by other processes are seen at the next check");
        inotify_.reset();
        return;
    }
    storeWatch_ = std::make_unique<FileDescriptorSource>(inotify_.get(), POLLIN,
                                                         [this](short) { storeChanged(); });
}

void LocalNotificationCenter::storeChanged() {
    alignas(inotify_event) char buffer[4096];
    bool concernsStore = false;
    ssize_t length;
    while ((length = ::read(inotify_.get(), buffer, sizeof buffer)) > 0) {
        for (char* at = buffer; at < buffer + length;) {
            auto* event = reinterpret_cast<inotify_event*>(at);
            if (event->len > 0 &&
                std::string_view(event->name) == LocalNotificationStore::fileName) {
                concernsStore = true;
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    if (!concernsStore) {
        return;
    }
    badgeNumberMayHaveChanged(store_.read().badgeNumber);
    scheduleNextDelivery();
}

} // namespace florelle
