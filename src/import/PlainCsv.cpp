// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Strings.h"
#include "import/CsvRecords.h"
#include "import/ImportDays.h"
#include "import/ImportFormats.h"

namespace florelle {

namespace {

ImportDay dayIn(const CsvRecord& record, size_t column) {
    auto day = ImportDays::parse(record.fields[column]);
    if (!day) {
        throw MalformedImport(
            record.line, Strings::localizedFormat("Import not a date Key", record.fields[column]));
    }
    return *day;
}

} // namespace

void readPlainCsv(std::string_view text, ImportPlanBuilder& builder) {
    auto records = readCsvRecords(text);
    // A first line that does not begin with a date names the columns.
    if (!records.empty() && !ImportDays::parse(records.front().fields.front())) {
        records.erase(records.begin());
    }
    if (records.empty()) {
        throw MalformedImport(1, Strings::localized("Import no dates Key"));
    }
    size_t width = records.front().fields.size();
    if (width > 2) {
        throw MalformedImport(records.front().line,
                              Strings::localizedCountFormat("Import plain columns Key",
                                                            static_cast<long long>(width), width));
    }
    for (const CsvRecord& record : records) {
        if (record.fields.size() != width) {
            throw MalformedImport(record.line, Strings::localizedCountFormat(
                                                   "Import row columns Key",
                                                   static_cast<long long>(record.fields.size()),
                                                   record.fields.size(), width));
        }
        ImportDay first = dayIn(record, 0);
        if (width == 1) {
            builder.bleeding(first);
            continue;
        }
        ImportDay last = dayIn(record, 1);
        if (last < first) {
            throw MalformedImport(record.line, Strings::localized("Import ends before start Key"));
        }
        builder.period({first, last}, record.line);
    }
}

} // namespace florelle
