// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/DailyLogCatalogue.h"
#include "import/ImportPlan.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// Reads another app's export into an import plan, in the format given or,
// without one, the format its content shows.
class ImportReader {
public:
    // JSON is Clue's; a CSV whose header names drip's dotted columns is
    // drip's; any other text a plain CSV of dates.
    static ImportFormat detect(std::string_view text);

    // Throws MalformedImport where the text is not of the format.
    static ImportPlan read(std::string_view text, std::optional<ImportFormat> format,
                           const DailyLogCatalogue& catalogue);

    // A file read whole: the plan, or what is wrong with the file ("cannot
    // be read (No such file or directory)", "line 12: not a date: 2026-13-01").
    struct FileReading {
        std::optional<ImportPlan> plan;
        std::string problem;
    };
    static FileReading readFile(const std::filesystem::path& file,
                                std::optional<ImportFormat> format,
                                const DailyLogCatalogue& catalogue);
};

} // namespace florelle
