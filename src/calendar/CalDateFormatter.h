// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "foundation/Locale.h"
#include "foundation/TimeZone.h"

#include <memory>
#include <optional>
#include <string>
#include <unicode/uversion.h>
#include <vector>

U_NAMESPACE_BEGIN
class SimpleDateFormat;
U_NAMESPACE_END

namespace florelle {

// Writes dates with a date pattern ("LLLL yyyy"), or in the locale's medium
// or short or full date style, in the current locale and time zone, and names the locale's
// weekdays. The locale and zone are looked up at each use, so a change of
// either shows at once.
class CalDateFormatter {
public:
    enum class Style { medium, shortStyle, full };

    explicit CalDateFormatter(std::string pattern);
    explicit CalDateFormatter(Style style);
    CalDateFormatter(const CalDateFormatter&) = delete;
    CalDateFormatter& operator=(const CalDateFormatter&) = delete;
    ~CalDateFormatter();

    std::string stringFromDate(Date date) const;

    // The locale's short weekday names, Sunday first.
    static std::vector<std::string> shortWeekdaySymbols(const Locale& locale);

private:
    // Rebuilds the ICU formatter when the locale or the zone changed.
    icu::SimpleDateFormat& formatter() const;

    std::string pattern_;
    std::optional<Style> style_;
    mutable std::unique_ptr<icu::SimpleDateFormat> formatter_;
    mutable std::string localeIdentifier_;
    mutable std::string zoneIdentifier_;
};

} // namespace florelle
