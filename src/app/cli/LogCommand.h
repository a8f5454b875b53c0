// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `log start [DATE]` and `log end [DATE]`: a period's first and last day,
// with the rules of the centre button.
void runLogCommand(CliContext& context);

} // namespace florelle::cli
