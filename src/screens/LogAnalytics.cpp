// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogAnalytics.h"

#include "foundation/Log.h"

#include <string>

namespace florelle {

void LogAnalytics::logEvent(std::string_view name) {
    Log::write("Event: " + std::string(name));
}

} // namespace florelle
