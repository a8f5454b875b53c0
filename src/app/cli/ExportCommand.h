// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `export`: the cycle report and the moods and symptoms report written into
// a folder, as PDF (the default) and/or CSV files.
void runExportCommand(CliContext& context);

} // namespace florelle::cli
