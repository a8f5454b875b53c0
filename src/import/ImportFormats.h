// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ImportPlanBuilder.h"

#include <string_view>

namespace florelle {

// The readers of each format. Each hands what it finds to the builder and
// throws MalformedImport where the text is not of its format.

// drip's CSV export: a header line naming the columns (date,
// bleeding.value, bleeding.exclude, temperature.value, note.value, mood.*,
// pain.*, sex.* …), then one row per day.
void readDripCsv(std::string_view text, ImportPlanBuilder& builder);

// Clue's measurements.json: an array of {type, date, value}.
void readClueJson(std::string_view text, ImportPlanBuilder& builder);

// A plain CSV of ISO dates, with an optional header line: either a period's
// first and last day per row, or one bleeding day per row.
void readPlainCsv(std::string_view text, ImportPlanBuilder& builder);

} // namespace florelle
