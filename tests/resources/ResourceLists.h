// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace florelle::testing {

// A picture of the manifest: its name as the program asks for it ("%d" for
// the skin number) and whether it comes at 1x and 2x.
struct ManifestPicture {
    std::string name;
    bool twoScales = true;
};

std::vector<ManifestPicture> readArtManifest();

// The keys of resources/strings/keys.txt.
std::vector<std::string> readStringKeys();
// The keys of resources/strings/counted-keys.txt.
std::vector<std::string> readCountedStringKeys();

// The picture name (or key) with "%d" replaced by the skin number.
std::string forSkin(const std::string& pattern, int skin);

// "name.png" -> "name@2x.png".
std::string twiceScale(const std::string& file);

// The mood and symptom catalogue of the built template database.
struct CatalogueEntry {
    std::string name;
    std::string imgName;
};
std::vector<CatalogueEntry> readCatalogue(const std::string& table, const std::string& nameColumn);

} // namespace florelle::testing
