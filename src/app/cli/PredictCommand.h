// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `predict`: the days the calendar marks, for a span or, without one, the
// twelve cycles ahead.
void runPredictCommand(CliContext& context);

} // namespace florelle::cli
