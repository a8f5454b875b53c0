// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsGroupsController.h"

#include "PasscodeSetting.h"
#include "ProfilePasscodeController.h"
#include "SetPasscodeDialogue.h"
#include "SettingsHost.h"
#include "SettingsLenPickerController.h"
#include "foundation/Strings.h"
#include "ui/Window.h"

namespace florelle {

namespace {

constexpr const char* cellIdentifier = "settingsCell";
constexpr double subtitleY = 24;

} // namespace

const std::array<const char*, 2>& SettingsGroupsController::headers() {
    static const std::array<const char*, 2> titles{"Personal Key", "Application settings Key"};
    return titles;
}

const std::array<std::vector<SettingsGroupsController::Row>, 2>& SettingsGroupsController::rows() {
    static const std::array<std::vector<Row>, 2> table{{
        {{{"Default Lenghts & Notifications Key", "Change cycle, period, luteal length... Key",
           Action::lengths},
          {"Pregnancy Key", "Are you pregnant? Key", Action::pregnancy},
          {"Send to Email Key", "Send data to your doctor or yourself Key", Action::mail},
          {"Sync Key", "Sync with Google calendar Key", Action::sync},
          {"Import from another app Key", "Import from another app subtitle Key", Action::imports},
          {"Backup and restore Key", "Keep a copy of your diary Key", Action::copies}}},
        {{{"Skin Key", "Change the apperience Key", Action::skin},
          {"Password Protection Key", "Protect your privacy Key", Action::passcode},
          {"Regional Settings Key", "Change units Key", Action::units},
          {"User Guide Key", "Useful tips Key", Action::guide}}},
    }};
    return table;
}

SettingsGroupsController::SettingsGroupsController(std::weak_ptr<SettingsHost> host)
    : host_(std::move(host)) {}

SettingsGroupsController::~SettingsGroupsController() = default;

const std::shared_ptr<SetPasscodeDialogue>& SettingsGroupsController::setPasscodeDialogue() {
    if (!setPasscodeDialogue_) {
        setPasscodeDialogue_ = SetPasscodeDialogue::create();
        std::weak_ptr<SettingsGroupsController> weakSelf =
            std::static_pointer_cast<SettingsGroupsController>(shared_from_this());
        setPasscodeDialogue_->onDismiss = [weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->deselectSelectedCell();
            }
        };
    }
    return setPasscodeDialogue_;
}

std::shared_ptr<TableViewCell> SettingsGroupsController::cellForRow(TableView& table,
                                                                    IndexPath path) {
    const Row& row = rows().at(path.section).at(path.row);
    return twoLineCell(table, cellIdentifier, cellIdentifier, subtitleY, row.title, row.subtitle);
}

std::shared_ptr<View> SettingsGroupsController::viewForHeaderInSection(TableView&, int section) {
    return header(headers().at(section), 250);
}

void SettingsGroupsController::didSelectRow(TableView&, IndexPath path) {
    perform(rows().at(path.section).at(path.row).action);
}

void SettingsGroupsController::perform(Action action) {
    auto host = host_.lock();
    if (!host) {
        return;
    }
    switch (action) {
    case Action::lengths:
        host->pushLenghts();
        break;
    case Action::pregnancy:
        host->pushPicker(2, Strings::localized("Are you pregnant? Key"),
                         SettingsLenPickerController::yesNoMode,
                         SettingsLenPickerController::pregnancyCategory);
        break;
    case Action::skin:
        host->pushSkinSelector();
        break;
    case Action::passcode:
        if (PasscodeSetting::stored()) {
            host->pushPasscodeController(std::make_shared<ProfilePasscodeController>());
        } else if (Window* window = view()->window()) {
            setPasscodeDialogue()->presentPasscode(*window);
        }
        break;
    case Action::units:
        host->pushPicker(2, Strings::localized("Set SI units Key"),
                         SettingsLenPickerController::onOffMode,
                         SettingsLenPickerController::unitsCategory);
        break;
    case Action::guide:
        host->pushUserGuide();
        break;
    case Action::mail:
        host->makeFiles();
        break;
    case Action::imports:
        host->importFromApp();
        break;
    case Action::copies:
        host->backupAndRestore();
        break;
    case Action::sync:
        host->sync();
        break;
    }
}

} // namespace florelle
