// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"
#include "storage/ChartData.h"

#include <optional>
#include <string>
#include <vector>

namespace florelle {

// The bars of one chart built from a window's data: one bar per mood or
// symptom used, per period or cycle that starts in the window, per weight.
// Lengths and cycles count local calendar days.
class ChartSeries {
public:
    enum class Chart { symptoms = 0, moods = 1, period = 2, cycle = 3, weight = 4 };

    // Weights at or below this (in the shown unit) are not real readings.
    static constexpr double smallestWeight = 1.0;

    // One bar: its value, its caption (a localisation key to look up, or a
    // date to write in the short style), its picture and its icon.
    struct Bar {
        float value = 0;
        std::string captionKey;
        std::optional<Date> captionDate;
        std::string imageName;
        std::string imageNameOver;
        bool operator==(const Bar&) const = default;
    };

    struct Series {
        std::vector<Bar> bars;
        // The chart had nothing logged in the window.
        bool noData = true;
    };

    // `siUnits` as the setting SI_UNITS: non-zero kilograms, 0 pounds. An
    // open period counts up to `now`.
    static Series build(Chart chart, const ChartData& data, int siUnits, Date now,
                        const Calendar& calendar);

    // A period's length in days, both end days counted; an open one (end of
    // the epoch) runs to `now`. Never below 1.
    static int periodDays(const ChartData::Period& period, Date now, const Calendar& calendar);
};

} // namespace florelle
