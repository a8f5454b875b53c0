// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportExport.h"

#include "CsvReport.h"
#include "PdfReport.h"
#include "ReportContent.h"
#include "foundation/Format.h"
#include "foundation/PrivateFiles.h"
#include "foundation/Strings.h"

#include <algorithm>

namespace florelle {

namespace {

std::error_code writeReport(ReportKind kind, ReportFormat format, const ReportContent& content,
                            const std::filesystem::path& file) {
    bool cycle = kind == ReportKind::cycle;
    if (format == ReportFormat::csv) {
        return PrivateFiles::writeAtomically(file, cycle ? CsvReport::cycleText(content.cycle)
                                                         : CsvReport::moodsText(content.moods));
    }
    return PrivateFiles::writeAtomically(file, [&](const std::filesystem::path& temporary) {
        bool drawn = cycle ? PdfReport::writeCycle(content.cycle, temporary)
                           : PdfReport::writeMoods(content.moods, temporary);
        return drawn ? std::error_code() : std::make_error_code(std::errc::io_error);
    });
}

} // namespace

std::string ReportExport::fileName(ReportKind kind, ReportFormat format) {
    std::string name =
        format == ReportFormat::pdf
            ? Strings::localized(kind == ReportKind::cycle ? "period.pdf Key" : "symptoms.pdf Key")
            : florelle::format(
                  "%@.csv",
                  Strings::localized(kind == ReportKind::cycle ? "Period Key" : "Symptoms Key"));
    // A translation is no path: it names a file in the folder and nothing else.
    std::replace(name.begin(), name.end(), '/', '-');
    std::erase(name, '\0');
    if (name.empty() || name == "." || name == "..") {
        name = "report";
    }
    return name;
}

const char* ReportExport::mimeType(ReportFormat format) {
    return format == ReportFormat::pdf ? "application/pdf" : "text/csv";
}

ReportExport::Result ReportExport::write(const std::filesystem::path& folder,
                                         const std::vector<ReportFormat>& formats,
                                         const ReportWindow& window, const Calendar& calendar) {
    Result result;
    auto data = ReportData::read(window.from, window.to, window.firstDay(calendar), window.to);
    if (!data) {
        result.readFailure = data.error();
        return result;
    }
    for (ReportFormat format : formats) {
        auto content =
            ReportContent::make(*data, window, calendar,
                                format == ReportFormat::pdf ? CalDateFormatter::Style::medium
                                                            : CalDateFormatter::Style::shortStyle);
        for (ReportKind kind : {ReportKind::cycle, ReportKind::moods}) {
            std::filesystem::path file = folder / fileName(kind, format);
            std::error_code error = writeReport(kind, format, content, file);
            if (error) {
                result.unwritten = file;
                result.writeFailure = error;
                return result;
            }
            result.files.push_back({file, mimeType(format)});
        }
    }
    return result;
}

} // namespace florelle
