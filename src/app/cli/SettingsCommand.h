// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `settings`: shows every setting; `settings set NAME VALUE` changes one,
// with the same storage rules as the settings screens.
void runSettingsCommand(CliContext& context);

} // namespace florelle::cli
