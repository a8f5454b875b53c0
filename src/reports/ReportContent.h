// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportWindow.h"
#include "calendar/CalDateFormatter.h"
#include "storage/ReportData.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace florelle {

// What the top of a report says: its title, the window's two dates and the
// heads of its three columns.
struct ReportHeader {
    std::string title;
    std::string from;
    std::string to;
    std::array<std::string, 3> heads;
};

// One row per period, newest first: its start, its end ("/" while open) and
// the length of the cycle it began, which the newest row does not have yet.
struct CycleReport {
    struct Row {
        std::string start;
        std::string end;
        std::string cycle;
    };
    ReportHeader header;
    std::vector<Row> rows;
};

// One entry per day with a mood or a symptom, newest first: its date and
// the names of its moods and symptoms.
struct MoodsReport {
    struct Day {
        std::string date;
        std::vector<std::string> moods;
        std::vector<std::string> symptoms;
        // The lines the day takes: as many as its longer list.
        size_t lineCount() const { return std::max(moods.size(), symptoms.size()); }
    };
    ReportHeader header;
    std::vector<Day> days;
};

// Both reports in the user's language, their dates written in `style` (the
// medium style in PDF files, the short one in CSV files). Lengths count
// local calendar days.
struct ReportContent {
    CycleReport cycle;
    MoodsReport moods;

    static ReportContent make(const ReportData& data, const ReportWindow& window,
                              const Calendar& calendar, CalDateFormatter::Style style);
};

} // namespace florelle
