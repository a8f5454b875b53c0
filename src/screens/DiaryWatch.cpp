// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryWatch.h"

#include "DiaryActions.h"
#include "foundation/NotificationCenter.h"
#include "storage/DatabaseController.h"

namespace florelle {

void DiaryWatch::start() {
    auto stamp = DatabaseController::outsideChangeStamp();
    seen_ = stamp ? std::optional<std::string>(*stamp) : std::nullopt;
    timer_ = Timer(interval, true, [this] { look(); });
}

void DiaryWatch::stop() {
    timer_.invalidate();
}

void DiaryWatch::look() {
    // A diary that cannot be read is told by its own alert; it is looked at
    // again next time.
    auto stamp = DatabaseController::outsideChangeStamp();
    if (!stamp || stamp.value() == seen_) {
        return;
    }
    seen_ = *stamp;
    NotificationCenter::defaultCenter().post(DiaryActions::diaryChangedNotification);
}

} // namespace florelle
