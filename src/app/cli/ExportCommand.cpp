// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCommand.h"

#include "CliErrors.h"
#include "QuotedInput.h"
#include "reports/ReportExport.h"

#include <charconv>

namespace florelle::cli {

namespace {

// Ten years of 30-day months: more than any diary holds.
constexpr int mostMonths = 120;

int months(const CliArguments& arguments) {
    auto text = arguments.option("months");
    if (!text) {
        return ReportWindow::defaultMonths;
    }
    int value = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < 1 ||
        value > mostMonths) {
        throw UsageError("--months must be a whole number from 1 to " + std::to_string(mostMonths) +
                         ", not " + quotedInput(*text));
    }
    return value;
}

} // namespace

void runExportCommand(CliContext& context) {
    const CliArguments& arguments = context.arguments;
    arguments.allowOnly({"pdf", "csv", "months"}, "export");
    arguments.allowWords(2, "export");
    std::filesystem::path folder = arguments.word(1);
    if (folder.empty()) {
        throw UsageError("'export' needs the folder to write the reports into");
    }
    std::vector<ReportFormat> formats;
    if (arguments.flag("pdf") || !arguments.flag("csv")) {
        formats.push_back(ReportFormat::pdf);
    }
    if (arguments.flag("csv")) {
        formats.push_back(ReportFormat::csv);
    }
    ReportWindow window =
        ReportWindow::lastMonths(months(arguments), context.now, context.calendar);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw Failure("no folder " + quotedInput(folder.string()));
    }
    auto written = ReportExport::write(folder, formats, window, context.calendar);
    if (written.readFailure) {
        throw Failure(written.readFailure->message());
    }
    if (written.writeFailure) {
        throw Failure("cannot write " + quotedInput(written.unwritten.string()) + ": " +
                      written.writeFailure.message());
    }
    for (const auto& file : written.files) {
        context.out << file.path.string() << "\n";
    }
}

} // namespace florelle::cli
