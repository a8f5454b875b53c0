// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NotificationPresenter.h"

#include <vector>

namespace florelle::testing {

// Keeps what would have been put on the desktop.
class RecordingPresenter : public NotificationPresenter {
public:
    bool present(const LocalNotification& notification) override {
        presented.push_back(notification);
        return reachable;
    }
    void showBadgeNumber(int number) override { badges.push_back(number); }

    std::vector<LocalNotification> presented;
    std::vector<int> badges;
    bool reachable = true;
};

} // namespace florelle::testing
