// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportWindow.h"
#include "storage/StoreResult.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace florelle {

enum class ReportFormat { pdf, csv };
enum class ReportKind { cycle, moods };

// A report written to a file, with the MIME type it is sent as.
struct ReportFile {
    std::filesystem::path path;
    std::string mimeType;
    bool operator==(const ReportFile&) const = default;
};

// Reads the diary once and writes both reports, in each format asked for,
// into a folder. Each file replaces an earlier one of its name in one step
// and is readable by its owner only: a failure never leaves a part of a
// report under the real name.
class ReportExport {
public:
    struct Result {
        // Cycle first, then moods and symptoms, for each format in turn.
        std::vector<ReportFile> files;
        // The diary could not be read: nothing was written.
        std::optional<StoreError> readFailure;
        // The file that could not be written, and why; the files before it
        // were written.
        std::filesystem::path unwritten;
        std::error_code writeFailure;

        bool ok() const { return !readFailure && !writeFailure; }
    };

    static Result write(const std::filesystem::path& folder,
                        const std::vector<ReportFormat>& formats, const ReportWindow& window,
                        const Calendar& calendar);

    // The file name the string table gives the report in the format, with
    // any character a file name cannot hold replaced.
    static std::string fileName(ReportKind kind, ReportFormat format);
    static const char* mimeType(ReportFormat format);
};

} // namespace florelle
