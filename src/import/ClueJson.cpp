// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Strings.h"
#include "import/ImportDays.h"
#include "import/ImportFormats.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace florelle {

namespace {

using Json = nlohmann::json;

int lineAt(std::string_view text, size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// The offset where each element of the top-level array begins, so that a
// bad measurement can be named by its line.
std::vector<size_t> elementOffsets(std::string_view text) {
    std::vector<size_t> offsets;
    int depth = 0;
    bool inString = false;
    bool awaitingElement = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (depth == 1 && awaitingElement && c != ' ' && c != '\t' && c != '\n' && c != '\r' &&
            c != ']') {
            offsets.push_back(i);
            awaitingElement = false;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            awaitingElement = ++depth == 1;
        } else if (c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && depth == 1) {
            awaitingElement = true;
        }
    }
    return offsets;
}

// A value's options: "heavy", {"option": "heavy"}, or a list of either.
std::vector<std::string> optionsOf(const Json& value) {
    std::vector<std::string> options;
    if (value.is_array()) {
        for (const auto& item : value) {
            auto inner = optionsOf(item);
            options.insert(options.end(), inner.begin(), inner.end());
        }
    } else if (value.is_string()) {
        options.push_back(value.get<std::string>());
    } else if (value.is_object() && value.contains("option") && value["option"].is_string()) {
        options.push_back(value["option"].get<std::string>());
    }
    return options;
}

std::optional<double> numberOf(const Json& value) {
    if (value.is_number()) {
        return value.get<double>();
    }
    if (value.is_object() && value.contains("value")) {
        return numberOf(value["value"]);
    }
    return std::nullopt;
}

void readMeasurement(const Json& measurement, int line, ImportPlanBuilder& builder) {
    if (!measurement.is_object() || !measurement.contains("type") ||
        !measurement["type"].is_string() || !measurement.contains("date") ||
        !measurement["date"].is_string()) {
        throw MalformedImport(line, Strings::localized("Import measurement fields Key"));
    }
    std::string date = measurement["date"].get<std::string>();
    auto day = ImportDays::parse(date);
    if (!day) {
        throw MalformedImport(line, Strings::localizedFormat("Import not a date Key", date));
    }
    std::string type = measurement["type"].get<std::string>();
    const Json value = measurement.value("value", Json());
    auto options = optionsOf(value);
    if (type == "period") {
        bool spotting = std::find(options.begin(), options.end(), "spotting") != options.end();
        if (spotting) {
            builder.symptom(*day, "Spotting");
        } else {
            builder.bleeding(*day);
        }
    } else if (type == "spotting") {
        builder.symptom(*day, "Spotting");
    } else if (type == "feelings" || type == "emotions" || type == "mood") {
        for (const auto& option : options) {
            builder.mood(*day, option);
        }
    } else if (type == "pain") {
        for (const auto& option : options) {
            builder.symptom(*day, option);
        }
    } else if (type == "sex" && std::any_of(options.begin(), options.end(), [](const auto& o) {
                   return o == "protected" || o == "unprotected";
               })) {
        builder.intimate(*day);
    } else if ((type == "temperature" || type == "bbt") && numberOf(value)) {
        builder.temperature(*day, *numberOf(value));
    } else if ((type == "note" || type == "notes") && value.is_string()) {
        builder.note(*day, value.get<std::string>());
    } else {
        std::string item = ImportPlanBuilder::readable(type);
        for (size_t i = 0; i < options.size(); ++i) {
            item += (i == 0 ? ": " : ", ") + ImportPlanBuilder::readable(options[i]);
        }
        builder.unplaced(*day, item);
    }
}

} // namespace

void readClueJson(std::string_view text, ImportPlanBuilder& builder) {
    Json measurements;
    try {
        measurements = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& error) {
        // The byte the parser stopped at counts from 1.
        throw MalformedImport(lineAt(text, error.byte > 0 ? error.byte - 1 : 0),
                              Strings::localized("Import not JSON Key"));
    }
    if (!measurements.is_array()) {
        size_t start = text.find_first_not_of(" \t\r\n");
        throw MalformedImport(lineAt(text, start == std::string_view::npos ? 0 : start),
                              Strings::localized("Import not measurements Key"));
    }
    auto offsets = elementOffsets(text);
    for (size_t i = 0; i < measurements.size(); ++i) {
        int line = lineAt(text, i < offsets.size() ? offsets[i] : 0);
        readMeasurement(measurements[i], line, builder);
    }
}

} // namespace florelle
