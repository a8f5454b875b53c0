// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle::cli {

// Plans the reminders again from the diary as it is now, after a command
// changed its periods; a failed read ends the command with the reason.
void replanReminders();

} // namespace florelle::cli
