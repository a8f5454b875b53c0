// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/CsvRecords.h"
#include "import/ImportDays.h"
#include "import/ImportFormats.h"

namespace florelle {

namespace {

ImportDay dayIn(const CsvRecord& record, size_t column) {
    auto day = ImportDays::parse(record.fields[column]);
    if (!day) {
        throw MalformedImport(record.line, "not a date: " + record.fields[column]);
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
        throw MalformedImport(1, "the file holds no dates");
    }
    size_t width = records.front().fields.size();
    if (width > 2) {
        throw MalformedImport(records.front().line, std::to_string(width) +
                                                        " columns where 1 (a bleeding day) or 2 "
                                                        "(a period's first and last day) belong");
    }
    for (const CsvRecord& record : records) {
        if (record.fields.size() != width) {
            throw MalformedImport(record.line, std::to_string(record.fields.size()) +
                                                   " columns where the first row has " +
                                                   std::to_string(width));
        }
        ImportDay first = dayIn(record, 0);
        if (width == 1) {
            builder.bleeding(first);
            continue;
        }
        ImportDay last = dayIn(record, 1);
        if (last < first) {
            throw MalformedImport(record.line, "the period ends before it starts");
        }
        builder.period({first, last}, record.line);
    }
}

} // namespace florelle
