// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <optional>
#include <string>
#include <vector>

namespace florelle {

// One day of the daily log and the changes made to it, whether on the
// window's page or from the command line. Weight and temperature are in the
// unit the settings choose (the store keeps metric values); 0 means none.
// Each change is one transaction that decides from the diary as it is at
// that moment: the day's rows are made first when it was never opened, and
// its data count follows the kinds of data it holds.
class DailyLogEntry {
public:
    struct Day {
        std::string note;
        bool intimate = false;
        // Catalogue ids, ascending.
        std::vector<int> moods;
        std::vector<int> symptoms;
        double weight = 0;
        double temperature = 0;
        bool operator==(const Day&) const = default;
    };
    // The day as stored; a day never opened reads empty and stays unopened.
    static StoreResult<Day> read(Date day);
    // The day's id; on first use its rows are made (the page does that as
    // soon as it shows a day).
    static StoreResult<int> open(Date day);

    struct Change {
        std::optional<std::string> note;
        std::optional<bool> intimate;
        // Taken away before any is chosen.
        bool clearMoods = false;
        bool clearSymptoms = false;
        std::vector<int> moodsTakenAway;
        std::vector<int> symptomsTakenAway;
        std::vector<int> moodsChosen;
        // Each replaces the other intensities of its symptom.
        std::vector<int> symptomsChosen;
        // 0 clears.
        std::optional<double> weight;
        std::optional<double> temperature;
    };
    // All of the change or nothing. What the day holds already is not
    // written again: a measure that reads the same to a tenth keeps its
    // stored value, an unchanged note its edit time (`now` stamps a new one).
    // Whether the day changed.
    static StoreResult<bool> apply(Date day, const Change& change, Date now);
    // The note alone, as apply saves it, reading and writing nothing else of
    // the day: the page saves it with every keystroke.
    static StoreResult<bool> saveNote(Date day, const std::string& note, Date now);

    // A tap on the page: a mood or a symptom is chosen when it was not and
    // taken away when it was; intimacy is turned over.
    enum class Item { mood, symptom, intimacy };
    static StoreResult<bool> toggle(Date day, Item item, int id = 0);
};

} // namespace florelle
