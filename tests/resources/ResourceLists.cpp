// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceLists.h"

#include "foundation/Bundle.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>
#include <sstream>

namespace florelle::testing {

namespace {

std::vector<std::string> meaningfulLines(const std::filesystem::path& file) {
    std::ifstream stream(file);
    EXPECT_TRUE(stream) << "cannot read " << file;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(stream, line)) {
        auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != '#') {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace

std::vector<ManifestPicture> readArtManifest() {
    std::vector<ManifestPicture> pictures;
    for (const auto& line : meaningfulLines(FLORELLE_ART_MANIFEST)) {
        std::istringstream fields(line);
        ManifestPicture picture;
        fields >> picture.name;
        std::string field;
        while (fields >> field) {
            if (field.rfind("PIXELS=", 0) == 0) {
                picture.twoScales = false;
            }
        }
        pictures.push_back(picture);
    }
    return pictures;
}

std::vector<std::string> readStringKeys() {
    return meaningfulLines(FLORELLE_STRING_KEYS);
}

std::vector<std::string> readCountedStringKeys() {
    return meaningfulLines(FLORELLE_COUNTED_STRING_KEYS);
}

std::string forSkin(const std::string& pattern, int skin) {
    auto result = pattern;
    if (auto at = result.find("%d"); at != std::string::npos) {
        result.replace(at, 2, std::to_string(skin));
    }
    return result;
}

std::string twiceScale(const std::string& file) {
    auto dot = file.rfind('.');
    return file.substr(0, dot) + "@2x" + file.substr(dot);
}

std::vector<CatalogueEntry> readCatalogue(const std::string& table, const std::string& nameColumn) {
    std::vector<CatalogueEntry> entries;
    auto file = Bundle::resourceDirectory() / "period.db";
    sqlite3* rawDb = nullptr;
    int opened = sqlite3_open_v2(file.c_str(), &rawDb, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(rawDb, sqlite3_close);
    if (opened != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << file;
        return entries;
    }
    auto sql = "SELECT " + nameColumn + ", imgName FROM " + table + " ORDER BY id";
    sqlite3_stmt* rawStatement = nullptr;
    int prepared = sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &rawStatement, nullptr);
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(rawStatement,
                                                                         sqlite3_finalize);
    if (prepared != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db.get());
        return entries;
    }
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        entries.push_back({reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)),
                           reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1))});
    }
    return entries;
}

} // namespace florelle::testing
