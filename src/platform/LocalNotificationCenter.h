// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalNotificationStore.h"
#include "NotificationPresenter.h"
#include "foundation/FileDescriptor.h"
#include "foundation/FileDescriptorSource.h"
#include "foundation/Timer.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace florelle {

// The application's local notifications. Scheduling, cancelling and the
// badge number go to the shared store, so they hold for every process of
// the diary and survive restarts. A center that delivers shows each
// notification once when it falls due: once among all processes, and also
// when it fell due while nothing ran (shown at the next start). One the
// desktop could not show is tried again until it is shown.
//
// A notification whose time has already passed when it is scheduled is
// dropped, not shown: a rescheduling must not repeat an old reminder.
class LocalNotificationCenter {
public:
    // How long a delivering center sleeps at most before it looks at the
    // clock again; a sleeping machine's time does not count for the run
    // loop's wait, so a reminder due during sleep shows within this time.
    static constexpr double recheckInterval = 900;
    // How soon a notification the desktop could not show is tried again (at
    // login the notification service may not be up yet).
    static constexpr double retryInterval = 60;

    // Without a presenter the center only keeps the store.
    explicit LocalNotificationCenter(LocalNotificationStore store,
                                     std::shared_ptr<NotificationPresenter> presenter = nullptr);
    LocalNotificationCenter(const LocalNotificationCenter&) = delete;
    LocalNotificationCenter& operator=(const LocalNotificationCenter&) = delete;
    ~LocalNotificationCenter();

    void scheduleLocalNotification(const LocalNotification& notification);
    void cancelAllLocalNotifications();
    // Cancels all and schedules these in one step, so that two processes
    // replacing the notifications at once leave one set, not both.
    void setScheduledLocalNotifications(const std::vector<LocalNotification>& notifications);
    // Scheduled and not yet shown, soonest first.
    std::vector<LocalNotification> scheduledLocalNotifications() const;

    int applicationIconBadgeNumber() const;
    void setApplicationIconBadgeNumber(int number);
    // Hears every change of the badge number, also one made by another
    // process while delivering; the window puts it in its title where the
    // desktop shows no badges.
    std::function<void(int)> onBadgeNumberChanged;

    // Gives a due notification the form it is shown in, just before it is
    // shown (texts in the language of that moment); without it the stored
    // notification is shown as it is.
    std::function<LocalNotification(const LocalNotification&)> prepareForShowing;

    // Starts delivering on the current run loop: shows what is due now, then
    // each notification as it falls due, and follows the changes other
    // processes make to the store.
    void startDelivering();
    bool isDelivering() const { return delivering_; }
    // Shows every notification that is due and was not shown yet by any
    // process; returns how many it showed. One the desktop could not show
    // stays due.
    int deliverDueNotifications();
    // When the next scheduled notification falls due in the device's zone.
    std::optional<Date> nextDueDate() const;
    // Looks again after the clock or the device's time zone changed: shows
    // what became due and waits for the next one anew.
    void refresh();

private:
    void watchStore();
    void storeChanged();
    void scheduleNextDelivery();
    void badgeNumberMayHaveChanged(int number);
    void releaseUnshown(const std::vector<LocalNotification>& unshown);

    LocalNotificationStore store_;
    std::shared_ptr<NotificationPresenter> presenter_;
    bool delivering_ = false;
    // While a notification waits for the desktop: when it is tried again.
    std::optional<Date> retryDate_;
    Timer timer_;
    FileDescriptor inotify_;
    std::unique_ptr<FileDescriptorSource> storeWatch_;
    std::optional<int> knownBadgeNumber_;
};

} // namespace florelle
