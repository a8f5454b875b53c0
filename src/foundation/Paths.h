// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>

namespace florelle {

// The folders the diary keeps its files in. Tests and tools point them
// elsewhere; everything else asks here.
class Paths {
public:
    // The user's documents folder: $XDG_DATA_HOME/florelle, by default
    // ~/.local/share/florelle. Not created here: whoever writes creates it.
    static std::filesystem::path documentsDirectory();
    // The folder for small configuration files: $XDG_CONFIG_HOME/florelle,
    // by default ~/.config/florelle.
    static std::filesystem::path configDirectory();

    // std::nullopt goes back to the XDG default.
    static void setDocumentsDirectory(std::optional<std::filesystem::path> directory);
    static void setConfigDirectory(std::optional<std::filesystem::path> directory);
};

} // namespace florelle
