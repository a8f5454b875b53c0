// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// Days written as ISO dates, "2026-03-01": on the command line, in other
// apps' exports and in the names of the diary's copies.
class IsoDay {
public:
    // The year, month and day of exactly "YYYY-MM-DD", digits only. Whether
    // such a day exists is for the caller to check.
    static std::optional<DateComponents> parse(std::string_view text);
    // The year, month and day of `parts`.
    static std::string format(const DateComponents& parts);
    // The local day of `date` in `calendar`.
    static std::string format(Date date, const Calendar& calendar);
};

} // namespace florelle
