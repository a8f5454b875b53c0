// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsListController.h"

#include "SettingsListStyle.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/TableView.h"

namespace florelle {

SettingsListController::~SettingsListController() = default;

void SettingsListController::loadView() {
    setView(makeTable());
}

const std::shared_ptr<TableView>& SettingsListController::makeTable() {
    skin_ = DatabaseController::getSkin().value_or(0);
    table_ = SettingsListStyle::makeTable(screenWidth, screenHeight);
    table_->setRowHeight(rowHeight);
    auto self = std::static_pointer_cast<SettingsListController>(shared_from_this());
    table_->dataSource = self;
    table_->setDelegate(self);
    table_->reloadData();
    return table_;
}

const std::shared_ptr<TableView>& SettingsListController::tableView() {
    view();
    return table_;
}

void SettingsListController::reloadTable() {
    if (!isViewLoaded()) {
        return;
    }
    skin_ = DatabaseController::getSkin().value_or(0);
    table_->reloadData();
}

void SettingsListController::deselectSelectedCell() {
    if (isViewLoaded()) {
        if (auto selected = table_->indexPathForSelectedRow()) {
            table_->deselectRow(*selected, true);
        }
    }
}

std::shared_ptr<TableViewCell> SettingsListController::twoLineCell(
    TableView& table, const char* reuseIdentifier, const char* newIdentifier, double subtitleY,
    const char* titleKey, const char* subtitleKey, bool available) const {
    auto cell = table.dequeueReusableCell(reuseIdentifier);
    if (!cell) {
        cell = SettingsListStyle::makeTwoLineCell(newIdentifier, subtitleY);
    }
    SettingsListStyle::fillTwoLineCell(*cell, Strings::localized(titleKey),
                                       Strings::localized(subtitleKey), skin_, available);
    return cell;
}

std::shared_ptr<View> SettingsListController::header(const char* titleKey, double width) const {
    return SettingsListStyle::makeHeader(Strings::localized(titleKey), width, skin_);
}

} // namespace florelle
