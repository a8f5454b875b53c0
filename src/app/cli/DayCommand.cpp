// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayCommand.h"

#include "CliErrors.h"
#include "LocalDay.h"
#include "QuotedInput.h"
#include "StoreChecks.h"
#include "cycle/BodyMeasure.h"
#include "cycle/DailyLogCatalogue.h"
#include "cycle/DailyLogEntry.h"
#include "storage/DatabaseController.h"

#include <fstream>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

namespace florelle::cli {

namespace {

using Kind = BodyMeasure::Kind;
using Change = DailyLogEntry::Change;

// Far longer than any note typed on the page: a bigger file was named by
// mistake.
constexpr size_t longestNote = 64 * 1024;
constexpr int labelWidth = 13;

// The names of every use of an option, each use also a comma-separated list.
std::vector<std::string> namesIn(const CliArguments& arguments, const std::string& option) {
    std::vector<std::string> names;
    for (const auto& value : arguments.values(option)) {
        for (size_t start = 0;;) {
            size_t comma = value.find(',', start);
            std::string name =
                value.substr(start, comma == std::string::npos ? comma : comma - start);
            if (name.find_first_not_of(' ') == std::string::npos) {
                throw UsageError("--" + option + " has an empty name in " + quotedInput(value));
            }
            names.push_back(name);
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
    }
    return names;
}

int moodId(const DailyLogCatalogue& catalogue, const std::string& name) {
    if (auto id = catalogue.findMood(name)) {
        return *id;
    }
    throw UsageError("there is no mood " + quotedInput(name));
}

// "Cramps", "Cramps:2", "Krämpfe:3"; the intensity is 1 unless given.
int symptomId(const DailyLogCatalogue& catalogue, const std::string& text) {
    std::string name = text;
    int level = 1;
    if (auto colon = text.rfind(':'); colon != std::string::npos) {
        std::string digits = text.substr(colon + 1);
        if (digits.size() != 1 || digits[0] < '1' || digits[0] > '0' + DailyLogCatalogue::levels) {
            throw UsageError("a symptom's intensity is 1, 2 or 3, not " + quotedInput(digits));
        }
        level = digits[0] - '0';
        name = text.substr(0, colon);
    }
    if (auto id = catalogue.findSymptom(name, level)) {
        return *id;
    }
    throw UsageError("there is no symptom " + quotedInput(name));
}

double measureIn(const std::string& option, const std::string& text, const BodyMeasure& measure) {
    auto entry = measure.read(text);
    if (!entry.accepted()) {
        throw UsageError("--" + option + " " + quotedInput(text) + ": " +
                         measure.refusalText(entry.refusal));
    }
    return *entry.value;
}

std::string noteFile(const std::string& name) {
    std::ifstream file;
    if (name != "-") {
        file.open(name, std::ios::binary);
        if (!file) {
            throw Failure("cannot read the note file " + quotedInput(name));
        }
    }
    std::istream& in = name == "-" ? std::cin : file;
    std::string text(longestNote + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        throw Failure("cannot read the note file " + quotedInput(name));
    }
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > longestNote) {
        throw UsageError("the note file " + quotedInput(name) + " is longer than 64 KiB");
    }
    // A file's last line ends with a line break that is not part of the note.
    if (text.ends_with('\n')) {
        text.pop_back();
    }
    return text;
}

std::optional<std::string> noteIn(const CliArguments& arguments) {
    auto typed = arguments.option("note");
    auto file = arguments.option("note-file");
    if (typed && file) {
        throw UsageError("give --note or --note-file, not both");
    }
    if (!typed && !file) {
        return std::nullopt;
    }
    std::string note = typed ? *typed : noteFile(*file);
    if (!isPlainText(note)) {
        throw UsageError("the note must be UTF-8 text without control characters");
    }
    return note;
}

// --clear FIELD: what it empties, before anything is set.
void addClears(const CliArguments& arguments, const DailyLogCatalogue& catalogue, Change& change) {
    for (const auto& field : namesIn(arguments, "clear")) {
        if (field == "note") {
            change.note = "";
        } else if (field == "moods") {
            change.clearMoods = true;
        } else if (field == "symptoms") {
            change.clearSymptoms = true;
        } else if (field == "weight") {
            change.weight = 0;
        } else if (field == "temperature") {
            change.temperature = 0;
        } else if (field == "intimate") {
            change.intimate = false;
        } else if (field.starts_with("mood:")) {
            change.moodsTakenAway.push_back(moodId(catalogue, field.substr(5)));
        } else if (field.starts_with("symptom:")) {
            int first = DailyLogCatalogue::firstOfRow(symptomId(catalogue, field.substr(8)));
            for (int level = 0; level < DailyLogCatalogue::levels; ++level) {
                change.symptomsTakenAway.push_back(first + level);
            }
        } else {
            throw UsageError("--clear knows moods, symptoms, weight, temperature, intimate, note, "
                             "mood:NAME and symptom:NAME, not " +
                             quotedInput(field));
        }
    }
}

// Everything the command line asks, checked before anything is written.
std::optional<Change> changeIn(const CliArguments& arguments, const DailyLogCatalogue& catalogue,
                               bool metric) {
    Change change;
    addClears(arguments, catalogue, change);
    for (const auto& name : namesIn(arguments, "mood")) {
        change.moodsChosen.push_back(moodId(catalogue, name));
    }
    for (const auto& name : namesIn(arguments, "symptom")) {
        change.symptomsChosen.push_back(symptomId(catalogue, name));
    }
    if (auto weight = arguments.option("weight")) {
        change.weight = measureIn("weight", *weight, BodyMeasure(Kind::weight, metric));
    }
    if (auto temperature = arguments.option("temperature")) {
        change.temperature =
            measureIn("temperature", *temperature, BodyMeasure(Kind::temperature, metric));
    }
    if (auto intimate = arguments.option("intimate")) {
        if (*intimate != "yes" && *intimate != "no") {
            throw UsageError("--intimate must be yes or no, not " + quotedInput(*intimate));
        }
        change.intimate = *intimate == "yes";
    }
    if (auto note = noteIn(arguments)) {
        change.note = note;
    }
    bool asked = !arguments.values("clear").empty() || !change.moodsChosen.empty() ||
                 !change.symptomsChosen.empty() || change.weight || change.temperature ||
                 change.intimate || change.note;
    return asked ? std::optional(change) : std::nullopt;
}

nlohmann::ordered_json measureJson(double value) {
    return value == 0 ? nlohmann::ordered_json(nullptr)
                      : nlohmann::ordered_json(BodyMeasure::roundToTenths(value));
}

void printJson(std::ostream& out, const std::string& dayName, const DailyLogEntry::Day& day,
               const DailyLogCatalogue& catalogue, bool metric) {
    auto moods = nlohmann::ordered_json::array();
    for (int id : day.moods) {
        std::string name = catalogue.moodName(id);
        moods.push_back({{"name", name}, {"text", DailyLogCatalogue::moodText(name)}});
    }
    auto symptoms = nlohmann::ordered_json::array();
    for (int id : day.symptoms) {
        std::string name = catalogue.symptomName(id);
        symptoms.push_back({{"name", DailyLogCatalogue::stem(name)},
                            {"level", DailyLogCatalogue::levelOf(id)},
                            {"text", DailyLogCatalogue::symptomText(name)}});
    }
    nlohmann::ordered_json fields = {
        {"day", dayName},
        {"moods", moods},
        {"symptoms", symptoms},
        {"weight", measureJson(day.weight)},
        {"weightUnit", BodyMeasure(Kind::weight, metric).unit()},
        {"temperature", measureJson(day.temperature)},
        {"temperatureUnit", BodyMeasure(Kind::temperature, metric).unit()},
        {"intimate", day.intimate},
        {"note", day.note}};
    out << fields.dump(2) << "\n";
}

void printText(std::ostream& out, const std::string& dayName, const DailyLogEntry::Day& day,
               const DailyLogCatalogue& catalogue, bool metric) {
    auto line = [&](const char* label, const std::string& value) {
        out << std::left << std::setw(labelWidth) << label << (value.empty() ? "-" : value) << "\n";
    };
    auto joined = [](const std::vector<int>& ids, const auto& text) {
        std::string list;
        for (int id : ids) {
            list += (list.empty() ? "" : ", ") + text(id);
        }
        return list;
    };
    line("day", dayName);
    line("moods", joined(day.moods, [&](int id) {
             return DailyLogCatalogue::moodText(catalogue.moodName(id));
         }));
    line("symptoms", joined(day.symptoms, [&](int id) {
             return DailyLogCatalogue::symptomText(catalogue.symptomName(id)) + ":" +
                    std::to_string(DailyLogCatalogue::levelOf(id));
         }));
    line("weight", BodyMeasure(Kind::weight, metric).format(day.weight));
    line("temperature", BodyMeasure(Kind::temperature, metric).format(day.temperature));
    line("intimate", day.intimate ? "yes" : "no");
    // The note's later lines stand under its first.
    std::string note = printableText(day.note);
    for (size_t at = note.find('\n'); at != std::string::npos; at = note.find('\n', at + 1)) {
        note.insert(at + 1, std::string(labelWidth, ' '));
    }
    line("note", note);
}

} // namespace

void runDayCommand(CliContext& context) {
    const auto& arguments = context.arguments;
    arguments.allowOnly({"json", "mood", "symptom", "weight", "temperature", "intimate", "note",
                         "note-file", "clear"},
                        "day");
    arguments.allowWords(2, "day");
    std::string dayText = arguments.word(1).empty() ? "today" : arguments.word(1);
    Date day = LocalDay::parse(dayText, context.calendar, context.now);
    auto catalogue = checked(DailyLogCatalogue::read());
    bool metric = checked(DatabaseController::getSi()) != 0;
    if (auto change = changeIn(arguments, catalogue, metric)) {
        // One transaction: all of it or, on any failure, nothing.
        checked(DailyLogEntry::apply(day, *change, context.now));
    }
    auto stored = checked(DailyLogEntry::read(day));
    std::string dayName = LocalDay::format(day, context.calendar);
    if (arguments.flag("json")) {
        printJson(context.out, dayName, stored, catalogue, metric);
    } else {
        printText(context.out, dayName, stored, catalogue, metric);
    }
}

} // namespace florelle::cli
