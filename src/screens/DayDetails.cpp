// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayDetails.h"

#include "cycle/BodyMeasure.h"
#include "storage/DatabaseController.h"

#include <optional>

namespace florelle {

namespace {

using DC = DatabaseController;

std::vector<std::string> pictures(const std::vector<Row>& rows, std::string_view nameColumn) {
    std::vector<std::string> names;
    for (const Row& row : rows) {
        names.push_back(row.text(nameColumn).value_or("") + ".png");
    }
    return names;
}

template <typename... Results> std::optional<StoreError> firstError(const Results&... results) {
    std::optional<StoreError> error;
    ((error || results.ok() || (error = results.error(), true)), ...);
    return error;
}

} // namespace

bool DayDetails::isEmpty() const {
    return moodPictures.empty() && symptomPictures.empty() && weight.empty() &&
           temperature.empty() && note.empty() && !intimate;
}

StoreResult<DayDetails> DayDetails::read(Date day) {
    auto id = DC::getDateIdForDate(day);
    if (!id || *id == 0) {
        return id ? StoreResult<DayDetails>(DayDetails{}) : id.error();
    }
    auto si = DC::getSi();
    auto note = DC::getNoteForDateId(*id);
    auto moods = DC::getMoodsForDateId(*id);
    auto symptoms = DC::getSymptomsForDateId(*id);
    auto weight = DC::getWeightForDateId(*id);
    auto temperature = DC::getTemperatureForDateId(*id);
    auto intimate = DC::getIntimateForDate(*id);
    if (auto error = firstError(si, note, moods, symptoms, weight, temperature, intimate)) {
        return *error;
    }
    bool metric = *si != 0;
    DayDetails details;
    details.moodPictures = pictures(*moods, "moodName");
    details.symptomPictures = pictures(*symptoms, "symptomName");
    // What reads as none shows nothing.
    details.weight = BodyMeasure(BodyMeasure::Kind::weight, metric).format(*weight);
    details.temperature = BodyMeasure(BodyMeasure::Kind::temperature, metric).format(*temperature);
    details.note = note->value_or("");
    details.intimate = *intimate;
    return details;
}

} // namespace florelle
