// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/CsvRecords.h"

#include "foundation/Strings.h"
#include "import/ImportPlan.h"

namespace florelle {

namespace {

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string_view withoutByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

std::vector<CsvRecord> readCsvRecords(std::string_view text) {
    text = withoutByteOrderMark(text);
    std::vector<CsvRecord> records;
    CsvRecord record{1, {}};
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    int line = 1;
    int quoteLine = 0;
    auto endField = [&] {
        record.fields.push_back(wasQuoted ? field : trimmed(field));
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        bool empty = record.fields.size() == 1 && record.fields[0].empty();
        if (!empty) {
            records.push_back(std::move(record));
        }
        record = CsvRecord{line, {}};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                field += c;
            }
        } else if (c == '"' && trimmed(field).empty()) {
            field.clear();
            quoted = wasQuoted = true;
            quoteLine = line;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (quoted) {
        throw MalformedImport(quoteLine, Strings::localized("Import unclosed quote Key"));
    }
    endRecord();
    return records;
}

} // namespace florelle
