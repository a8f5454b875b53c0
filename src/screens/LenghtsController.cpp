// SPDX-License-Identifier: GPL-3.0-or-later
#include "LenghtsController.h"

#include "SettingsHost.h"
#include "SettingsLenPickerController.h"
#include "cycle/ReminderPlanner.h"
#include "foundation/Strings.h"

namespace florelle {

namespace {

constexpr const char* dequeueIdentifier = "lenghtsCell";
constexpr const char* newCellIdentifier = "settingsCell";
constexpr double subtitleY = 25;
constexpr int lengthsSection = 0;

} // namespace

const std::vector<std::vector<LenghtsController::Row>>& LenghtsController::rows() {
    static const std::vector<std::vector<Row>> table{
        {{"Cycle Length Key", "Number of days in cycle Key", 60,
          "Enter your average cycle length. Key"},
         {"Period Length Key", "Number of days in period Key", 20,
          "Enter your average period length. Key"},
         {"Ovulation Day Key", "Ovulation start date Key", 60,
          "Enter your average ovulation date. Key"}},
        {{"Period Notification Key", "Set your period notification date Key", 30,
          "How many days before your period do you want to receive the notification? Key"},
         {"Fertile Notification Key", "Set your fertile notification date Key", 30,
          "How many days before you become fertile do you want to receive the "
          "notification. Key"}},
    };
    return table;
}

LenghtsController::LenghtsController(std::weak_ptr<SettingsHost> host) : host_(std::move(host)) {}

LenghtsController::~LenghtsController() = default;

int LenghtsController::numberOfRowsInSection(TableView&, int section) {
    return static_cast<int>(rows().at(section).size());
}

std::shared_ptr<TableViewCell> LenghtsController::cellForRow(TableView& table, IndexPath path) {
    const Row& row = rows().at(path.section).at(path.row);
    return twoLineCell(table, dequeueIdentifier, newCellIdentifier, subtitleY, row.title,
                       row.subtitle);
}

std::shared_ptr<View> LenghtsController::viewForHeaderInSection(TableView&, int section) {
    return header(section == lengthsSection ? "Default Lenghts Key" : "Notifications Key", 200);
}

void LenghtsController::didSelectRow(TableView&, IndexPath path) {
    int mode = path.row;
    for (int section = 0; section < path.section; ++section) {
        mode += static_cast<int>(rows().at(section).size());
    }
    choose(mode);
}

void LenghtsController::choose(int mode) {
    int first = static_cast<int>(rows()[0].size());
    int index = mode < first ? mode : mode - first;
    const auto& group = rows()[mode < first ? 0 : 1];
    if (mode < 0 || index >= static_cast<int>(group.size())) {
        return;
    }
    const Row& row = group[index];
    activeMode_ = mode;
    if (auto host = host_.lock()) {
        host->pushPicker(row.pickerRows, Strings::localized(row.prompt),
                         SettingsLenPickerController::numberMode, mode);
    }
}

void LenghtsController::didSelectNumber(int value) {
    auto host = host_.lock();
    if (!host) {
        return;
    }
    switch (activeMode_) {
    case SettingsLenPickerController::cycleLengthCategory:
        host->saveCycleLength(value);
        break;
    case SettingsLenPickerController::periodLengthCategory:
        host->savePeriodLength(value);
        break;
    case SettingsLenPickerController::ovulationDayCategory:
        host->saveOvulationDay(value);
        break;
    case SettingsLenPickerController::periodNotificationCategory:
        host->setNotification(ReminderPlanner::periodKind, value);
        break;
    case SettingsLenPickerController::fertileNotificationCategory:
        host->setNotification(ReminderPlanner::fertileKind, value);
        break;
    default:
        break;
    }
}

} // namespace florelle
