// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `status`: today as the main screen states it, as text, JSON or a
// status-bar format.
void runStatusCommand(CliContext& context);

} // namespace florelle::cli
