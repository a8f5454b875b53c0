// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <string>
#include <vector>

namespace florelle {

// What the calendar page shows of one day: the pictures of its moods and
// symptoms in catalogue order, its weight and temperature as texts in the
// unit setting, its note and whether it was intimate. A day never logged
// reads as empty; reading creates nothing.
struct DayDetails {
    std::vector<std::string> moodPictures;
    std::vector<std::string> symptomPictures;
    // With their unit, or empty when none was logged.
    std::string weight;
    std::string temperature;
    std::string note;
    bool intimate = false;

    // Nothing at all was logged on the day.
    bool isEmpty() const;

    static StoreResult<DayDetails> read(Date day);
};

} // namespace florelle
