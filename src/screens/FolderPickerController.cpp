// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderPickerController.h"

#include "foundation/Strings.h"
#include "ui/BarButtonItem.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr const char* cellIdentifier = "folderCell";

} // namespace

FolderPickerController::FolderPickerController(std::filesystem::path start, Chosen chosen,
                                               Picks picks)
    : chosen_(std::move(chosen)), picks_(picks) {
    showFolder(std::move(start));
}

FolderPickerController::~FolderPickerController() = default;

void FolderPickerController::loadView() {
    std::weak_ptr<FolderPickerController> self =
        std::static_pointer_cast<FolderPickerController>(shared_from_this());
    navigationItem().leftBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, [self] {
            if (auto picker = self.lock()) {
                picker->cancelClicked();
            }
        });
    if (picks_ == Picks::folder) {
        navigationItem().rightBarButtonItem = std::make_shared<BarButtonItem>(
            Strings::localized("Save here Key"), BarButtonItem::Style::done, [self] {
                if (auto picker = self.lock()) {
                    picker->chooseClicked();
                }
            });
    }
    table_ =
        std::make_shared<TableView>(Rect(0, 0, screenWidth, screenHeight), TableView::Style::plain);
    table_->dataSource = self.lock();
    table_->setDelegate(self.lock());
    table_->reloadData();
    setView(table_);
}

const std::shared_ptr<TableView>& FolderPickerController::tableView() {
    view();
    return table_;
}

void FolderPickerController::showFolder(std::filesystem::path folder) {
    folder_ = folder.lexically_normal();
    subfolders_.clear();
    files_.clear();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        std::string name = entry.path().filename().string();
        std::error_code unreadable;
        if (name.starts_with(".")) {
            continue;
        }
        if (entry.is_directory(unreadable)) {
            subfolders_.push_back(name);
        } else if (picks_ == Picks::file && entry.is_regular_file(unreadable)) {
            files_.push_back(name);
        }
    }
    std::sort(subfolders_.begin(), subfolders_.end());
    std::sort(files_.begin(), files_.end());
    std::string name = folder_.filename().string();
    setTitle(name.empty() ? folder_.string() : name);
    if (table_) {
        table_->reloadData();
        if (auto* navigation = navigationController()) {
            navigation->updateNavigationBar();
        }
    }
}

int FolderPickerController::numberOfRowsInSection(TableView&, int) {
    return static_cast<int>(subfolders_.size() + files_.size()) + (hasParent() ? 1 : 0);
}

std::shared_ptr<TableViewCell> FolderPickerController::cellForRow(TableView& table,
                                                                  IndexPath path) {
    auto cell = table.dequeueReusableCell(cellIdentifier);
    if (!cell) {
        cell = std::make_shared<TableViewCell>(cellIdentifier);
    }
    int row = path.row - (hasParent() ? 1 : 0);
    bool up = row < 0;
    std::filesystem::path parent = folder_.parent_path();
    std::string parentName =
        parent.filename().empty() ? parent.string() : parent.filename().string();
    bool isFile = !up && static_cast<size_t>(row) >= subfolders_.size();
    std::string name = up       ? "‹ " + parentName
                       : isFile ? files_.at(static_cast<size_t>(row) - subfolders_.size())
                                : subfolders_.at(static_cast<size_t>(row));
    cell->textLabel()->setText(name);
    cell->setAccessoryType(up || isFile ? TableViewCell::Accessory::none
                                        : TableViewCell::Accessory::disclosureIndicator);
    return cell;
}

void FolderPickerController::didSelectRow(TableView& table, IndexPath path) {
    table.deselectRow(path, false);
    int row = path.row - (hasParent() ? 1 : 0);
    if (row >= 0 && static_cast<size_t>(row) >= subfolders_.size()) {
        leave(folder_ / files_.at(static_cast<size_t>(row) - subfolders_.size()));
        return;
    }
    showFolder(row < 0 ? folder_.parent_path()
                       : folder_ / subfolders_.at(static_cast<size_t>(row)));
}

void FolderPickerController::chooseClicked() {
    leave(folder_);
}

void FolderPickerController::cancelClicked() {
    leave(std::nullopt);
}

void FolderPickerController::leave(std::optional<std::filesystem::path> folder) {
    // Told once: a second tap while the sheet slides away chooses nothing.
    if (auto chosen = std::exchange(chosen_, nullptr)) {
        chosen(std::move(folder));
    }
}

} // namespace florelle
