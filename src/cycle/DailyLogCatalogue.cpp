// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/DailyLogCatalogue.h"

#include "foundation/Strings.h"
#include "storage/DatabaseController.h"

#include <algorithm>
#include <cctype>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace florelle {

namespace {

// The symptom names end in "_lv" and the intensity.
constexpr std::string_view levelSuffix = "_lv";
constexpr size_t levelSuffixLength = levelSuffix.size() + 1;

// What is left of a name to compare: letters folded to one case, no blanks.
std::string comparable(std::string_view text) {
    icu::UnicodeString folded =
        icu::UnicodeString::fromUTF8(
            icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
            .foldCase();
    icu::UnicodeString kept;
    for (int32_t i = 0; i < folded.length(); i = folded.moveIndex32(i, 1)) {
        UChar32 c = folded.char32At(i);
        if (!u_isUWhiteSpace(c)) {
            kept.append(c);
        }
    }
    std::string out;
    kept.toUTF8String(out);
    return out;
}

std::vector<DailyLogCatalogue::Entry> entriesOf(const std::vector<Row>& rows,
                                                std::string_view column) {
    std::vector<DailyLogCatalogue::Entry> entries;
    for (const Row& row : rows) {
        entries.push_back({static_cast<int>(row.integer("id")), row.text(column).value_or("")});
    }
    return entries;
}

std::string nameOf(const std::vector<DailyLogCatalogue::Entry>& entries, int id) {
    for (const auto& entry : entries) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return "";
}

} // namespace

StoreResult<DailyLogCatalogue> DailyLogCatalogue::read() {
    auto moods = DatabaseController::collectAllMoods();
    auto symptoms = DatabaseController::collectAllSymptoms();
    if (auto failure = firstFailure(moods, symptoms)) {
        return *failure;
    }
    DailyLogCatalogue catalogue;
    catalogue.moods_ = entriesOf(*moods, "moodName");
    catalogue.symptoms_ = entriesOf(*symptoms, "symptomName");
    return catalogue;
}

int DailyLogCatalogue::firstOfRow(int symptomId) {
    return (symptomId - 1) / levels * levels + 1;
}

int DailyLogCatalogue::levelOf(int symptomId) {
    return symptomId - firstOfRow(symptomId) + 1;
}

std::string DailyLogCatalogue::stem(std::string_view symptomName) {
    // A name without a level keeps all of it.
    size_t suffixAt = symptomName.size() - std::min(symptomName.size(), levelSuffixLength);
    bool leveled = symptomName.size() >= levelSuffixLength &&
                   symptomName.substr(suffixAt, levelSuffix.size()) == levelSuffix &&
                   std::isdigit(static_cast<unsigned char>(symptomName.back()));
    return std::string(leveled ? symptomName.substr(0, suffixAt) : symptomName);
}

std::string DailyLogCatalogue::moodKey(std::string_view moodName) {
    return std::string(moodName) + " Key";
}

std::string DailyLogCatalogue::symptomKey(std::string_view symptomName) {
    return stem(symptomName) + " Key";
}

std::string DailyLogCatalogue::moodText(std::string_view moodName) {
    return Strings::localized(moodKey(moodName));
}

std::string DailyLogCatalogue::symptomText(std::string_view symptomName) {
    return Strings::localized(symptomKey(symptomName));
}

std::optional<int> DailyLogCatalogue::findMood(std::string_view name) const {
    std::string wanted = comparable(name);
    for (const auto& mood : moods_) {
        if (comparable(mood.name) == wanted || comparable(moodText(mood.name)) == wanted) {
            return mood.id;
        }
    }
    return std::nullopt;
}

std::optional<int> DailyLogCatalogue::findSymptom(std::string_view name, int level) const {
    if (level < 1 || level > levels) {
        return std::nullopt;
    }
    std::string wanted = comparable(name);
    for (const auto& symptom : symptoms_) {
        if (levelOf(symptom.id) == level && (comparable(stem(symptom.name)) == wanted ||
                                             comparable(symptomText(symptom.name)) == wanted)) {
            return symptom.id;
        }
    }
    return std::nullopt;
}

std::string DailyLogCatalogue::moodName(int id) const {
    return nameOf(moods_, id);
}

std::string DailyLogCatalogue::symptomName(int id) const {
    return nameOf(symptoms_, id);
}

} // namespace florelle
