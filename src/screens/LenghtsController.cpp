#include "LenghtsController.h"

#include "SettingsGlobalController.h"
#include "SettingsLenPickerController.h"
#include "SettingsListStyle.h"
#include "cycle/ReminderPlanner.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/TableView.h"

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

LenghtsController::LenghtsController(std::weak_ptr<SettingsGlobalController> host)
    : host_(std::move(host)) {}

LenghtsController::~LenghtsController() = default;

void LenghtsController::loadView() {
    skin_ = DatabaseController::getSkin().value_or(0);
    table_ = SettingsListStyle::makeTable(screenWidth, screenHeight);
    table_->setRowHeight(rowHeight);
    auto self = std::static_pointer_cast<LenghtsController>(shared_from_this());
    table_->dataSource = self;
    table_->setDelegate(self);
    table_->reloadData();
    setView(table_);
}

const std::shared_ptr<TableView>& LenghtsController::tableView() {
    view();
    return table_;
}

void LenghtsController::reloadTable() {
    if (!isViewLoaded()) {
        return;
    }
    skin_ = DatabaseController::getSkin().value_or(0);
    table_->reloadData();
}

void LenghtsController::deselectSelectedCell() {
    if (isViewLoaded()) {
        if (auto selected = table_->indexPathForSelectedRow()) {
            table_->deselectRow(*selected, true);
        }
    }
}

int LenghtsController::numberOfRowsInSection(TableView&, int section) {
    return static_cast<int>(rows().at(section).size());
}

std::shared_ptr<TableViewCell> LenghtsController::cellForRow(TableView& table, IndexPath path) {
    auto cell = table.dequeueReusableCell(dequeueIdentifier);
    if (!cell) {
        cell = SettingsListStyle::makeTwoLineCell(newCellIdentifier, subtitleY);
    }
    const Row& row = rows().at(path.section).at(path.row);
    SettingsListStyle::fillTwoLineCell(*cell, Strings::localized(row.title),
                                       Strings::localized(row.subtitle), skin_, true);
    return cell;
}

std::shared_ptr<View> LenghtsController::viewForHeaderInSection(TableView&, int section) {
    const char* title = section == lengthsSection ? "Default Lenghts Key" : "Notifications Key";
    return SettingsListStyle::makeHeader(Strings::localized(title), 200, skin_);
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
