// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Strings.h"
#include "import/CsvRecords.h"
#include "import/ImportDays.h"
#include "import/ImportFormats.h"

#include <charconv>
#include <map>

namespace florelle {

namespace {

// Read elsewhere or of no use to her: which days are left out of drip's own
// reckoning, and when a temperature was taken.
bool isBookkeeping(const std::string& column) {
    return column.ends_with(".exclude") || column == "temperature.time";
}

bool isTrue(const std::string& value) {
    return value == "true" || value == "TRUE" || value == "True" || value == "1";
}

bool isFalse(const std::string& value) {
    return value.empty() || value == "false" || value == "FALSE" || value == "False" ||
           value == "0";
}

std::optional<double> number(const std::string& text) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// drip's names where the catalogue calls it otherwise.
std::string catalogueName(const std::string& group, const std::string& item) {
    static const std::map<std::string, std::string> moods = {{"fatigue", "Tired"}};
    if (group == "mood") {
        auto found = moods.find(item);
        return found == moods.end() ? item : found->second;
    }
    return item;
}

class DripRows {
public:
    DripRows(const CsvRecord& header, ImportPlanBuilder& builder) : builder_(builder) {
        for (size_t i = 0; i < header.fields.size(); ++i) {
            columns_[header.fields[i]] = i;
        }
        if (!columns_.count("date")) {
            throw MalformedImport(header.line, Strings::localized("Import no date column Key"));
        }
        width_ = header.fields.size();
        header_ = header.fields;
    }

    void read(const CsvRecord& record) {
        if (record.fields.size() != width_) {
            throw MalformedImport(record.line, Strings::localizedCountFormat(
                                                   "Import header columns Key",
                                                   static_cast<long long>(record.fields.size()),
                                                   record.fields.size(), width_));
        }
        line_ = record.line;
        fields_ = &record.fields;
        auto day = ImportDays::parse(field("date"));
        if (!day) {
            throw MalformedImport(record.line,
                                  Strings::localizedFormat("Import not a date Key", field("date")));
        }
        day_ = *day;
        readBleeding();
        for (size_t i = 0; i < width_; ++i) {
            readColumn(header_[i], record.fields[i]);
        }
    }

private:
    std::string field(const std::string& column) const {
        auto found = columns_.find(column);
        return found == columns_.end() ? "" : (*fields_)[found->second];
    }

    void readBleeding() {
        std::string value = field("bleeding.value");
        if (value.empty()) {
            return;
        }
        auto strength = number(value);
        if (!strength || *strength < 0 || *strength > 3 || *strength != int(*strength)) {
            throw MalformedImport(line_,
                                  Strings::localizedFormat("Import bleeding value Key", value));
        }
        if (isTrue(field("bleeding.exclude"))) {
            builder_.unplaced(day_, "bleeding left out of the cycle");
        } else if (*strength == 0) {
            builder_.symptom(day_, "Spotting");
        } else {
            builder_.bleeding(day_);
        }
    }

    void readColumn(const std::string& column, const std::string& value) {
        if (column == "date" || column == "bleeding.value" || isBookkeeping(column) ||
            isFalse(value)) {
            return;
        }
        if (column == "note.value") {
            builder_.note(day_, value);
            return;
        }
        if (column == "temperature.value") {
            auto celsius = number(value);
            if (!celsius) {
                throw MalformedImport(
                    line_, Strings::localizedFormat("Import temperature value Key", value));
            }
            builder_.temperature(day_, *celsius);
            return;
        }
        auto dot = column.find('.');
        std::string group = column.substr(0, dot);
        std::string item = dot == std::string::npos ? "" : column.substr(dot + 1);
        bool flag = isTrue(value);
        if (flag && group == "mood") {
            builder_.mood(day_, catalogueName(group, item));
        } else if (flag && group == "pain") {
            builder_.symptom(day_, catalogueName(group, item));
        } else if (flag && group == "sex" && (item == "partner" || item == "solo")) {
            builder_.intimate(day_);
        } else {
            std::string name = column.ends_with(".value") ? group : column;
            builder_.unplaced(day_, ImportPlanBuilder::readable(name) + (flag ? "" : ": " + value));
        }
    }

    ImportPlanBuilder& builder_;
    std::map<std::string, size_t> columns_;
    std::vector<std::string> header_;
    size_t width_ = 0;
    int line_ = 0;
    const std::vector<std::string>* fields_ = nullptr;
    ImportDay day_;
};

} // namespace

void readDripCsv(std::string_view text, ImportPlanBuilder& builder) {
    auto records = readCsvRecords(text);
    if (records.empty()) {
        throw MalformedImport(1, Strings::localized("Import empty file Key"));
    }
    DripRows rows(records.front(), builder);
    for (size_t i = 1; i < records.size(); ++i) {
        rows.read(records[i]);
    }
}

} // namespace florelle
