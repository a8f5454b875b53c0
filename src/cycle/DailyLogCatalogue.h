// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/StoreResult.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// The moods and symptoms a day of the daily log can hold, as the diary's
// catalogue lists them: ids 1, 2, 3 … in the order they are shown. A symptom
// comes at three intensities, three consecutive entries whose names differ
// only in their last four characters ("Cramps_lv1" … "Cramps_lv3").
class DailyLogCatalogue {
public:
    static constexpr int levels = 3;

    struct Entry {
        int id;
        std::string name;
    };

    static StoreResult<DailyLogCatalogue> read();

    const std::vector<Entry>& moods() const { return moods_; }
    const std::vector<Entry>& symptoms() const { return symptoms_; }

    // The first entry of a symptom's row of intensities, and the intensity
    // (1 to 3) of an entry.
    static int firstOfRow(int symptomId);
    static int levelOf(int symptomId);
    // "Cramps_lv2" → "Cramps": the symptom without its intensity.
    static std::string stem(std::string_view symptomName);

    // The string table's keys of the names, the same on every page:
    // "Happy Key", "Cramps Key" for each intensity of cramps.
    static std::string moodKey(std::string_view moodName);
    static std::string symptomKey(std::string_view symptomName);
    // The names as she reads them in her language.
    static std::string moodText(std::string_view moodName);
    static std::string symptomText(std::string_view symptomName);

    // By the name she reads or the catalogue's own, in any letter case and
    // with or without blanks: "tender breasts", "TenderBreasts", "Krämpfe".
    std::optional<int> findMood(std::string_view name) const;
    // A symptom at an intensity from 1 to 3.
    std::optional<int> findSymptom(std::string_view name, int level) const;

    // The catalogue name of an id; empty when the catalogue has no such entry.
    std::string moodName(int id) const;
    std::string symptomName(int id) const;

private:
    std::vector<Entry> moods_;
    std::vector<Entry> symptoms_;
};

} // namespace florelle
