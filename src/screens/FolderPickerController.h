// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"
#include "ui/ViewController.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

class TableView;

// A folder picker of our own, for desktops without a file chooser: the
// folders in one folder (hidden ones left out), a first row up to its
// parent, and "Save here", which chooses the folder on show. Picking a file
// instead, it lists the folder's files below its folders and a tap on one
// chooses it. Shown in a navigation controller, whose bar holds Cancel and
// "Save here"; whoever showed it takes it away once told.
class FolderPickerController : public ViewController,
                               public TableViewDataSource,
                               public TableViewDelegate {
public:
    // The folder chosen; std::nullopt when she cancelled.
    using Chosen = std::function<void(std::optional<std::filesystem::path>)>;

    enum class Picks { folder, file };

    FolderPickerController(std::filesystem::path start, Chosen chosen, Picks picks = Picks::folder);
    ~FolderPickerController() override;

    const std::filesystem::path& folder() const { return folder_; }
    // The names of the folders listed below the row up.
    const std::vector<std::string>& subfolders() const { return subfolders_; }
    // The names of the files listed below the folders, when picking a file.
    const std::vector<std::string>& files() const { return files_; }
    void showFolder(std::filesystem::path folder);
    void chooseClicked();
    void cancelClicked();
    const std::shared_ptr<TableView>& tableView();

    int numberOfRowsInSection(TableView&, int) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    void didSelectRow(TableView& table, IndexPath path) override;

protected:
    void loadView() override;

private:
    bool hasParent() const { return folder_.has_relative_path(); }
    void leave(std::optional<std::filesystem::path> folder);

    std::filesystem::path folder_;
    std::vector<std::string> subfolders_;
    std::vector<std::string> files_;
    Chosen chosen_;
    Picks picks_;
    std::shared_ptr<TableView> table_;
};

} // namespace florelle
