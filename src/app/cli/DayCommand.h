// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliContext.h"

namespace florelle::cli {

// `day [DATE]`: a day of the daily log, and its changes with the rules of
// the window's daily log page.
void runDayCommand(CliContext& context);

} // namespace florelle::cli
