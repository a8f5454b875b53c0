// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayDetails.h"

#include "cycle/BodyMeasure.h"
#include "cycle/DailyLogCatalogue.h"
#include "cycle/DailyLogEntry.h"
#include "storage/DatabaseController.h"

namespace florelle {

namespace {

std::vector<std::string> pictures(const std::vector<int>& ids, const auto& nameOf) {
    std::vector<std::string> names;
    for (int id : ids) {
        names.push_back(nameOf(id) + ".png");
    }
    return names;
}

} // namespace

bool DayDetails::isEmpty() const {
    return moodPictures.empty() && symptomPictures.empty() && weight.empty() &&
           temperature.empty() && note.empty() && !intimate;
}

StoreResult<DayDetails> DayDetails::read(Date day) {
    auto logged = DailyLogEntry::read(day);
    auto catalogue = DailyLogCatalogue::read();
    auto units = DatabaseController::getSi();
    if (auto failure = firstFailure(logged, catalogue, units)) {
        return *failure;
    }
    bool metric = *units != 0;
    DayDetails details;
    details.moodPictures = pictures(logged->moods, [&](int id) { return catalogue->moodName(id); });
    details.symptomPictures =
        pictures(logged->symptoms, [&](int id) { return catalogue->symptomName(id); });
    // What reads as none shows nothing.
    details.weight = BodyMeasure(BodyMeasure::Kind::weight, metric).format(logged->weight);
    details.temperature =
        BodyMeasure(BodyMeasure::Kind::temperature, metric).format(logged->temperature);
    details.note = logged->note;
    details.intimate = logged->intimate;
    return details;
}

} // namespace florelle
