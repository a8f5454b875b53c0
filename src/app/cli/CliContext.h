// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliArguments.h"
#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <ostream>

namespace florelle::cli {

// What every command works with: its arguments, the device's calendar, the
// moment it runs and where its answer goes.
struct CliContext {
    const CliArguments& arguments;
    Calendar calendar;
    Date now;
    std::ostream& out;
};

} // namespace florelle::cli
