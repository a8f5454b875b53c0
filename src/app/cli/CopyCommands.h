// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `backup FILE`: a copy of the diary, safe to take while the window writes.
void runBackupCommand(CliContext& context);
// `restore FILE`: such a copy put back in the diary's place.
void runRestoreCommand(CliContext& context);

} // namespace florelle::cli
