// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `sync`: the diary copied into the account's calendar "Florelle", as the
// window's Sync does.
void runSyncCommand(CliContext& context);

} // namespace florelle::cli
