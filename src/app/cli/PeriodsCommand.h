// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `periods`: every logged period, newest first, with its length and the
// length of the cycle it began.
void runPeriodsCommand(CliContext& context);

} // namespace florelle::cli
