// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChooser.h"

#include "ModalSheetController.h"
#include "ui/NavigationController.h"

namespace florelle {

FileChooser::FileChooser(std::shared_ptr<DesktopPortal> portal) : files_(std::move(portal)) {}

void FileChooser::choose(ViewController& presenter, Picks picks, const std::string& title,
                         const std::string& acceptLabel, Chosen chosen) {
    bool asked = picks == Picks::folder ? files_.chooseFolder(title, acceptLabel, chosen)
                                        : files_.chooseFile(title, acceptLabel, chosen);
    if (asked) {
        return;
    }
    std::weak_ptr<ViewController> shownOver = presenter.shared_from_this();
    auto picked = [shownOver, chosen](std::optional<std::filesystem::path> path) {
        if (auto over = shownOver.lock()) {
            over->dismissModalViewController(true);
        }
        chosen(std::move(path));
    };
    auto picker =
        std::make_shared<FolderPickerController>(DesktopFiles::documentsFolder(), picked, picks);
    presenter.presentModalViewController(
        std::make_shared<ModalSheetController>(std::make_shared<NavigationController>(picker)),
        true);
}

} // namespace florelle
