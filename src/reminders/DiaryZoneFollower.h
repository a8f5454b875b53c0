// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LocalNotificationCenter.h"
#include "storage/StoreResult.h"

namespace florelle {

// Keeps the diary's days on the machine's time zone, for each program that
// opens the diary (the window at start-up and after a significant time
// change, every command of florelle-cli, the reminder helper): the zone is
// read anew, and when the diary's days were written in another one they are
// re-anchored to it and both reminders are planned anew.
class DiaryZoneFollower {
public:
    // Whether the days were re-anchored; a diary that cannot be read or
    // written keeps them, and the pending reminders stay.
    static StoreResult<bool> followMachineZone(LocalNotificationCenter& reminders);
};

} // namespace florelle
