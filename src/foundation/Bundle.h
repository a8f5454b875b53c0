// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// The application's read-only resources (template database, pictures,
// strings). The folder is found, in this order: $FLORELLE_RESOURCE_DIR, the
// installed data folder beside the running binary, the build tree.
class Bundle {
public:
    static std::filesystem::path resourceDirectory();
    // For tests; std::nullopt goes back to the search above.
    static void setResourceDirectory(std::optional<std::filesystem::path> directory);

    // The path of resource "name.type" (type may be empty) if the file exists.
    static std::optional<std::filesystem::path> pathForResource(std::string_view name,
                                                                std::string_view type);
    // Where "name.type" would be, whether or not it exists.
    static std::filesystem::path expectedPathForResource(std::string_view name,
                                                         std::string_view type);

    static std::string version();
};

} // namespace florelle
