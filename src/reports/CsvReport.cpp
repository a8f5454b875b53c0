// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReport.h"

#include <initializer_list>

namespace florelle {

namespace {

// The byte order mark lets spreadsheets that guess a legacy code page read
// the file as UTF-8, so that translated names keep their letters.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

std::string line(std::initializer_list<std::string_view> values) {
    std::string text;
    const char* separator = "";
    for (std::string_view value : values) {
        text += separator;
        text += CsvReport::field(value);
        separator = ",";
    }
    return text + "\n";
}

std::string top(const ReportHeader& header) {
    return line({header.title}) + line({"(" + header.from + "-" + header.to + ")"}) + "\n" +
           line({header.heads[0], header.heads[1], header.heads[2]}) + "\n";
}

} // namespace

std::string CsvReport::field(std::string_view value) {
    std::string text;
    if (!value.empty() &&
        std::string_view("=+-@\t\r").find(value.front()) != std::string_view::npos) {
        text += '\'';
    }
    text += value;
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string CsvReport::cycleText(const CycleReport& report) {
    std::string text = std::string(byteOrderMark) + top(report.header);
    for (const auto& row : report.rows) {
        text += line({row.start, row.end, row.cycle});
    }
    return text;
}

std::string CsvReport::moodsText(const MoodsReport& report) {
    std::string text = std::string(byteOrderMark) + top(report.header);
    // The date on a line of its own, then its moods and symptoms side by
    // side under their heads, then an empty line.
    for (const auto& day : report.days) {
        text += line({day.date});
        for (size_t i = 0; i < day.lineCount(); ++i) {
            text += line({" ", i < day.moods.size() ? day.moods[i] : " ",
                          i < day.symptoms.size() ? day.symptoms[i] : " "});
        }
        text += "\n";
    }
    return text;
}

} // namespace florelle
