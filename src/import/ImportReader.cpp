// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportReader.h"

#include "foundation/Strings.h"
#include "import/CsvRecords.h"
#include "import/ImportFormats.h"

#include <fstream>

namespace florelle {

namespace {

// Years of daily rows are a few megabytes; a bigger file is not an export.
constexpr std::uintmax_t largestFile = 64 * 1024 * 1024;

} // namespace

ImportFormat ImportReader::detect(std::string_view text) {
    text = withoutByteOrderMark(text);
    size_t start = text.find_first_not_of(" \t\r\n");
    if (start != std::string_view::npos && (text[start] == '[' || text[start] == '{')) {
        return ImportFormat::clue;
    }
    std::string_view firstLine = text.substr(0, text.find('\n'));
    bool dripHeader = firstLine.starts_with("date,") &&
                      (firstLine.find("bleeding.") != std::string_view::npos ||
                       firstLine.find("temperature.") != std::string_view::npos);
    return dripHeader ? ImportFormat::drip : ImportFormat::csv;
}

ImportPlan ImportReader::read(std::string_view text, std::optional<ImportFormat> format,
                              const DailyLogCatalogue& catalogue) {
    ImportFormat chosen = format.value_or(detect(text));
    ImportPlanBuilder builder(chosen, catalogue);
    switch (chosen) {
    case ImportFormat::drip:
        readDripCsv(text, builder);
        break;
    case ImportFormat::clue:
        readClueJson(text, builder);
        break;
    case ImportFormat::csv:
        readPlainCsv(text, builder);
        break;
    }
    return builder.build();
}

ImportReader::FileReading ImportReader::readFile(const std::filesystem::path& file,
                                                 std::optional<ImportFormat> format,
                                                 const DailyLogCatalogue& catalogue) {
    std::error_code error;
    auto size = std::filesystem::file_size(file, error);
    if (error) {
        return {std::nullopt, Strings::localizedFormat("Import unreadable Key", error.message())};
    }
    if (size > largestFile) {
        return {std::nullopt, Strings::localized("Import too large Key")};
    }
    std::ifstream in(file, std::ios::binary);
    std::string text(static_cast<size_t>(size), '\0');
    if (!in || !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        return {std::nullopt,
                Strings::localizedFormat("Import unreadable Key",
                                         std::make_error_code(std::errc::io_error).message())};
    }
    try {
        return {read(text, format, catalogue), ""};
    } catch (const MalformedImport& malformed) {
        return {std::nullopt, malformed.message()};
    }
}

} // namespace florelle
