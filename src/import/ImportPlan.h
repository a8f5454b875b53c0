// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace florelle {

// A calendar day as another app's file names it, before it becomes a local
// day of the device's calendar.
using ImportDay = std::chrono::sys_days;

enum class ImportFormat { drip, clue, csv };

// "drip", "clue" or "csv", as the command line names them.
const char* importFormatName(ImportFormat format);
// "drip", "Clue" or "CSV", as people name them.
const char* importFormatTitle(ImportFormat format);
std::optional<ImportFormat> importFormatNamed(const std::string& name);

struct ImportedPeriod {
    ImportDay first;
    ImportDay last;
    bool operator==(const ImportedPeriod&) const = default;
};

// What one day of the file adds to the day's log. Moods and symptoms are ids
// of the diary's catalogue; the temperature is in degrees Celsius.
struct ImportedDay {
    ImportDay day;
    std::vector<int> moods;
    std::vector<int> symptoms;
    std::optional<double> celsius;
    bool intimate = false;
    // The day's note from the file, followed by what the log has no place
    // for, in a short readable form.
    std::string note;
};

// Everything a file holds for the diary, ordered by day.
struct ImportPlan {
    ImportFormat format = ImportFormat::csv;
    std::vector<ImportedPeriod> periods;
    std::vector<ImportedDay> days;
};

// A file that cannot be read as the format it is taken for: the line where
// reading stopped (1 is the first) and why, in the user's language.
class MalformedImport : public std::runtime_error {
public:
    MalformedImport(int line, const std::string& reason)
        : std::runtime_error(reason), line_(line) {}
    int line() const { return line_; }
    // "line 12: not a date: 2026-13-01".
    std::string message() const;

private:
    int line_;
};

} // namespace florelle
