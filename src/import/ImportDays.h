// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "import/ImportPlan.h"

#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// Days as the files write them and as the diary keeps them.
class ImportDays {
public:
    // "2026-03-01", optionally followed by a time ("2026-03-01T08:00:00Z",
    // whose date part is taken as written); years 1900 to 2100.
    static std::optional<ImportDay> parse(std::string_view text);
    // "2026-03-01".
    static std::string format(ImportDay day);
    // The day's local midnight in `calendar`.
    static Date localMidnight(ImportDay day, const Calendar& calendar);
    static ImportDay dayOf(Date date, const Calendar& calendar);
};

} // namespace florelle
