// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace florelle {

class DesktopPortal;

// Her files in the desktop's own programs: a file opened in the program
// that shows its kind, a folder chosen in the desktop's file chooser.
class DesktopFiles {
public:
    // The folder or file chosen; std::nullopt when she cancelled.
    using Chosen = std::function<void(std::optional<std::filesystem::path>)>;

    // `portal` may be empty: then there is no chooser of the desktop's.
    explicit DesktopFiles(std::shared_ptr<DesktopPortal> portal);

    // Her documents folder as the desktop names it, else her home folder.
    static std::filesystem::path documentsFolder();

    // Opens the file with xdg-open; false (logged) when it cannot start.
    static bool open(const std::filesystem::path& file);

    // Asks the file chooser portal for a folder; `chosen` hears the answer
    // on this thread's run loop. False, and nothing heard, where the desktop
    // has no chooser for folders.
    bool chooseFolder(const std::string& title, const std::string& acceptLabel, Chosen chosen);
    // The same for one file to open.
    bool chooseFile(const std::string& title, const std::string& acceptLabel, Chosen chosen);

private:
    bool choose(bool folder, const std::string& title, const std::string& acceptLabel,
                Chosen chosen);

    std::shared_ptr<DesktopPortal> portal_;
};

} // namespace florelle
