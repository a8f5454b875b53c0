// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"
#include "ui/ViewController.h"

#include <memory>
#include <optional>

namespace florelle {

class TableView;

// A list of the settings page in the skin's look (SettingsListStyle): the
// grouped table with rows 42 high, its headers and two-line rows in the
// stored skin, read again whenever the list is reloaded.
class SettingsListController : public ViewController,
                               public TableViewDataSource,
                               public TableViewDelegate {
public:
    static constexpr double rowHeight = 42;

    ~SettingsListController() override;

    const std::shared_ptr<TableView>& tableView();
    // Re-reads the skin and shows the rows again.
    virtual void reloadTable();
    void deselectSelectedCell();

    std::optional<double> heightForRow(TableView&, IndexPath) override { return rowHeight; }

protected:
    // The list fills the screen.
    void loadView() override;
    // Reads the skin and makes the list, this screen its data source and
    // delegate; a screen that does not show the list alone puts it into a
    // view of its own.
    const std::shared_ptr<TableView>& makeTable();
    // A row with a title over a subtitle (string keys), faded when it leads
    // nowhere. Rows are looked for under `reuseIdentifier`, made under
    // `newIdentifier`, the subtitle at `subtitleY`.
    std::shared_ptr<TableViewCell> twoLineCell(TableView& table, const char* reuseIdentifier,
                                               const char* newIdentifier, double subtitleY,
                                               const char* titleKey, const char* subtitleKey,
                                               bool available = true) const;
    // A group title (a string key), `width` wide.
    std::shared_ptr<View> header(const char* titleKey, double width) const;

    int skin() const { return skin_; }
    TableView& table() const { return *table_; }

private:
    std::shared_ptr<TableView> table_;
    int skin_ = 0;
};

} // namespace florelle
