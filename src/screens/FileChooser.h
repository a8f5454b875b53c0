// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderPickerController.h"
#include "platform/DesktopFiles.h"

#include <memory>
#include <string>

namespace florelle {

class DesktopPortal;
class ViewController;

// She chooses a folder or a file: in the desktop's file chooser where it
// has one, else in our own picker, in a sheet over the screen that asks.
// The sheet is on its way down when the answer comes, so the asking screen
// may slide in a screen of its own at once.
class FileChooser {
public:
    using Chosen = DesktopFiles::Chosen;
    using Picks = FolderPickerController::Picks;

    // `portal` may be empty: then our picker always chooses.
    explicit FileChooser(std::shared_ptr<DesktopPortal> portal);

    // `chosen` hears the path, or std::nullopt when she cancelled.
    void choose(ViewController& presenter, Picks picks, const std::string& title,
                const std::string& acceptLabel, Chosen chosen);

private:
    DesktopFiles files_;
};

} // namespace florelle
