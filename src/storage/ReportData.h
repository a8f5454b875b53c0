// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <string>
#include <vector>

namespace florelle {

// What the two reports show of one window, read from the diary: the periods
// that start or end in it and the days that carry a mood or a symptom.
struct ReportData {
    // A period as stored; an end of the epoch is the open one.
    struct Period {
        Date start;
        Date end;
        bool operator==(const Period&) const = default;
    };
    // A day by its stored key (see DatabaseController::dayKeyForDate), with
    // the catalogue names of its moods and symptoms in catalogue order.
    struct LoggedDay {
        long long dayKey = 0;
        std::vector<std::string> moodNames;
        std::vector<std::string> symptomNames;
        bool operator==(const LoggedDay&) const = default;
    };

    // Newest start first.
    std::vector<Period> periods;
    // Newest first.
    std::vector<LoggedDay> days;

    // The periods whose start or end lies between the instants `from` and
    // `to`, and the logged days from `firstDay`'s local day to `lastDay`'s.
    static StoreResult<ReportData> read(Date from, Date to, Date firstDay, Date lastDay);
};

} // namespace florelle
