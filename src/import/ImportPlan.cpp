// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportPlan.h"

#include "foundation/Strings.h"

#include <array>

namespace florelle {

namespace {

struct FormatNames {
    ImportFormat format;
    const char* name;
    const char* title;
};

constexpr std::array<FormatNames, 3> formatNames{{{ImportFormat::drip, "drip", "drip"},
                                                  {ImportFormat::clue, "clue", "Clue"},
                                                  {ImportFormat::csv, "csv", "CSV"}}};

const FormatNames& namesOf(ImportFormat format) {
    for (const auto& names : formatNames) {
        if (names.format == format) {
            return names;
        }
    }
    return formatNames.back();
}

} // namespace

const char* importFormatName(ImportFormat format) {
    return namesOf(format).name;
}

const char* importFormatTitle(ImportFormat format) {
    return namesOf(format).title;
}

std::optional<ImportFormat> importFormatNamed(const std::string& name) {
    for (const auto& names : formatNames) {
        if (name == names.name) {
            return names.format;
        }
    }
    return std::nullopt;
}

std::string MalformedImport::message() const {
    return Strings::localizedFormat("Import line Key", line_, what());
}

} // namespace florelle
