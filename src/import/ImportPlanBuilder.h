// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/DailyLogCatalogue.h"
#include "import/ImportPlan.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// Collects what a file's reader finds, day by day, and turns it into a plan:
// bleeding days become periods (a gap of one day still joins two runs),
// moods and symptoms the catalogue knows become ids, and whatever the daily
// log has no place for is kept as a short line of the day's note.
class ImportPlanBuilder {
public:
    ImportPlanBuilder(ImportFormat format, const DailyLogCatalogue& catalogue);

    void bleeding(ImportDay day);
    // A period given by its first and last day; one that shares a day with
    // another of the file is refused as malformed at `line`.
    void period(ImportedPeriod period, int line);
    // By the name the other app uses ("tenderBreasts", "tender_breasts"); a
    // name the catalogue lacks is noted instead.
    void mood(ImportDay day, std::string_view name);
    void symptom(ImportDay day, std::string_view name, int level = 1);
    // A temperature outside what a person can have is noted, not stored.
    void temperature(ImportDay day, double celsius);
    void intimate(ImportDay day);
    void note(ImportDay day, std::string_view text);
    // Something the daily log has no place for, already readable
    // ("ovulation pain", "mucus 2").
    void unplaced(ImportDay day, std::string_view item);

    ImportPlan build() const;

    // "ovulationPain", "tender_breasts", "mucus.texture" → "ovulation pain",
    // "tender breasts", "mucus texture".
    static std::string readable(std::string_view name);

private:
    struct Pending {
        ImportedDay logged;
        std::vector<std::string> unplaced;
    };
    Pending& at(ImportDay day);

    ImportFormat format_;
    const DailyLogCatalogue& catalogue_;
    std::set<ImportDay> bleeding_;
    // Periods given as spans, with the line that gave each.
    std::map<ImportDay, std::pair<ImportedPeriod, int>> spans_;
    std::map<ImportDay, Pending> days_;
};

} // namespace florelle
