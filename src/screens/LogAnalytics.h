// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Analytics.h"

namespace florelle {

// Writes each event's name to the debug log, and nothing anywhere else.
class LogAnalytics : public Analytics {
public:
    void logEvent(std::string_view name) override;
};

} // namespace florelle
