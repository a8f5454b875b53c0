// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// florelle-cli import FILE [--format drip|clue|csv] [--dry-run] [--json]
void runImportCommand(CliContext& context);

} // namespace florelle::cli
