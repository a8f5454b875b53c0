// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// One row of a CSV file and the line it starts on (1 is the first).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// The rows of a CSV text: fields split at commas, quoted fields may hold
// commas, doubled quotes and line breaks; blanks around unquoted fields are
// dropped, as are empty lines and a leading byte order mark. A quote left
// open is refused (MalformedImport) at the line it opened on.
std::vector<CsvRecord> readCsvRecords(std::string_view text);

// The text without a leading byte order mark.
std::string_view withoutByteOrderMark(std::string_view text);

} // namespace florelle
