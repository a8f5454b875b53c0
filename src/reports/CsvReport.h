// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportContent.h"

#include <string>
#include <string_view>

namespace florelle {

// The reports as comma-separated text in UTF-8, one line per row, for a
// spreadsheet.
class CsvReport {
public:
    static std::string cycleText(const CycleReport& report);
    static std::string moodsText(const MoodsReport& report);

    // One value as a field: quoted when it holds a comma, a quote or a line
    // break (quotes doubled), and with a leading apostrophe when it starts
    // like a formula, so that a spreadsheet shows it and never runs it.
    static std::string field(std::string_view value);
};

} // namespace florelle
