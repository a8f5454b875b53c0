// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/NotificationCenter.h"
#include "storage/StoreResult.h"

#include <memory>
#include <string>

namespace florelle {

class AlertView;

// Tells the user, in her language, when the diary cannot be opened or a
// change to it was not saved: which file, what is wrong, and that nothing
// was changed. One alert at a time: a burst of failed saves shows one.
class DiaryProblemAlert {
public:
    // Listens for failed saves from now on.
    DiaryProblemAlert();

    void show(const StoreError& error);

    static std::string messageFor(const StoreError& error);

private:
    NotificationCenter::Observation observation_;
    std::shared_ptr<AlertView> shown_;
};

} // namespace florelle
