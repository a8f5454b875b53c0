// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/ChartWindow.h"
#include "foundation/Calendar.h"
#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <optional>
#include <string>
#include <vector>

namespace florelle {

// What the charts show of one window, read from the diary at once: the
// moods and symptoms used (with the number of days carrying each), the
// periods and cycles that start in the window and the weights logged.
struct ChartData {
    // A mood or symptom of the catalogue and the days of the window that
    // carry it.
    struct Usage {
        int id = 0;
        std::string name;
        std::string imageName;
        int days = 0;
        bool operator==(const Usage&) const = default;
    };
    // A period: its start and end as stored; an end of the epoch is open.
    struct Period {
        Date start;
        Date end;
        bool operator==(const Period&) const = default;
    };
    // A weight in kilograms on a day (the day's stored key).
    struct Weight {
        double kilograms = 0;
        Date day;
        bool operator==(const Weight&) const = default;
    };

    std::vector<Usage> symptoms;
    std::vector<Usage> moods;
    // Periods starting in the window, earliest first.
    std::vector<Period> periods;
    // Period starts from the window's first day to 16 days past its last,
    // earliest first: the cycles that start in the window end at the next.
    std::vector<Date> cycleStarts;
    std::vector<Weight> weights;

    // How far past the window the next start of a cycle is looked for.
    static constexpr int cycleLookAheadDays = 16;

    // Reads the window's data from the diary.
    static StoreResult<ChartData> read(const ChartWindow& window, const Calendar& calendar);
};

} // namespace florelle
