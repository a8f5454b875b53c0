// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportPlanBuilder.h"

#include "cycle/BodyMeasure.h"
#include "foundation/Strings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace florelle {

namespace {

// Two bleeding days this far apart or closer belong to one period.
constexpr std::chrono::days joiningGap{2};

template <typename T> void addOnce(std::vector<T>& list, const T& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(item);
    }
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

} // namespace

ImportPlanBuilder::ImportPlanBuilder(ImportFormat format, const DailyLogCatalogue& catalogue)
    : format_(format), catalogue_(catalogue) {}

ImportPlanBuilder::Pending& ImportPlanBuilder::at(ImportDay day) {
    auto& pending = days_[day];
    pending.logged.day = day;
    return pending;
}

void ImportPlanBuilder::bleeding(ImportDay day) {
    bleeding_.insert(day);
}

void ImportPlanBuilder::period(ImportedPeriod period, int line) {
    auto next = spans_.lower_bound(period.first);
    auto overlaps = [&](const ImportedPeriod& other) {
        return other.first <= period.last && period.first <= other.last;
    };
    if (next != spans_.end() && overlaps(next->second.first)) {
        throw MalformedImport(
            line, Strings::localizedFormat("Import overlapping periods Key", next->second.second));
    }
    if (next != spans_.begin() && overlaps(std::prev(next)->second.first)) {
        throw MalformedImport(line, Strings::localizedFormat("Import overlapping periods Key",
                                                             std::prev(next)->second.second));
    }
    spans_.emplace(period.first, std::make_pair(period, line));
}

void ImportPlanBuilder::mood(ImportDay day, std::string_view name) {
    std::string words = readable(name);
    if (auto id = catalogue_.findMood(words)) {
        addOnce(at(day).logged.moods, *id);
    } else {
        unplaced(day, "mood " + words);
    }
}

void ImportPlanBuilder::symptom(ImportDay day, std::string_view name, int level) {
    std::string words = readable(name);
    auto id = catalogue_.findSymptom(words, level);
    if (!id) {
        unplaced(day, words);
        return;
    }
    // One intensity of a symptom a day: the strongest the file names.
    auto& symptoms = at(day).logged.symptoms;
    auto same = std::find_if(symptoms.begin(), symptoms.end(), [&](int held) {
        return DailyLogCatalogue::firstOfRow(held) == DailyLogCatalogue::firstOfRow(*id);
    });
    if (same == symptoms.end()) {
        symptoms.push_back(*id);
    } else {
        *same = std::max(*same, *id);
    }
}

void ImportPlanBuilder::temperature(ImportDay day, double celsius) {
    auto range = BodyMeasure(BodyMeasure::Kind::temperature, true).range();
    if (celsius < range.lowest || celsius > range.highest) {
        char text[48];
        std::snprintf(text, sizeof text, "temperature %.2f °C", celsius);
        unplaced(day, text);
        return;
    }
    at(day).logged.celsius = celsius;
}

void ImportPlanBuilder::intimate(ImportDay day) {
    at(day).logged.intimate = true;
}

void ImportPlanBuilder::note(ImportDay day, std::string_view text) {
    std::string& note = at(day).logged.note;
    note += (note.empty() ? "" : "\n") + std::string(text);
}

void ImportPlanBuilder::unplaced(ImportDay day, std::string_view item) {
    addOnce(at(day).unplaced, std::string(item));
}

ImportPlan ImportPlanBuilder::build() const {
    ImportPlan plan;
    plan.format = format_;
    for (const auto& [first, span] : spans_) {
        plan.periods.push_back(span.first);
    }
    for (ImportDay day : bleeding_) {
        if (!plan.periods.empty() && day - plan.periods.back().last <= joiningGap) {
            plan.periods.back().last = day;
        } else {
            plan.periods.push_back({day, day});
        }
    }
    std::sort(plan.periods.begin(), plan.periods.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [day, pending] : days_) {
        ImportedDay logged = pending.logged;
        std::sort(logged.moods.begin(), logged.moods.end());
        std::sort(logged.symptoms.begin(), logged.symptoms.end());
        if (!pending.unplaced.empty()) {
            logged.note += (logged.note.empty() ? "" : "\n") + std::string("From ") +
                           importFormatTitle(format_) + ": " + joined(pending.unplaced);
        }
        plan.days.push_back(std::move(logged));
    }
    return plan;
}

std::string ImportPlanBuilder::readable(std::string_view name) {
    std::string words;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '_' || c == '.' || c == '-') {
            c = ' ';
        }
        bool wordStarts = std::isupper(static_cast<unsigned char>(c)) && i > 0 &&
                          std::islower(static_cast<unsigned char>(name[i - 1]));
        if (wordStarts) {
            words += ' ';
        }
        if (c != ' ' || (!words.empty() && words.back() != ' ')) {
            words += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    while (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

} // namespace florelle
