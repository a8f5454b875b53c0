// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingsListController.h"
#include "SettingsPickerDelegate.h"

#include <memory>
#include <vector>

namespace florelle {

class SettingsHost;

// The lengths and reminders of the settings page: cycle length, period
// length and ovulation day, then the days before a period and before the
// fertile window that a reminder comes. A row opens the number picker on
// its setting; the number picked is saved through the settings host.
class LenghtsController : public SettingsListController, public SettingsPickerDelegate {
public:
    // One row: its texts (string keys), the picker's rows and prompt. The
    // row's mode is its place in the list (0-4), also the picker category.
    struct Row {
        const char* title;
        const char* subtitle;
        int pickerRows;
        const char* prompt;
    };
    static const std::vector<std::vector<Row>>& rows();

    explicit LenghtsController(std::weak_ptr<SettingsHost> host);
    ~LenghtsController() override;

    int activeMode() const { return activeMode_; }
    // Opens the picker as selecting the row with this mode does.
    void choose(int mode);
    // Saves a picked number for the active mode.
    void didSelectNumber(int value) override;

    int numberOfSections(TableView&) override { return static_cast<int>(rows().size()); }
    int numberOfRowsInSection(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    std::shared_ptr<View> viewForHeaderInSection(TableView&, int section) override;
    void didSelectRow(TableView& table, IndexPath path) override;

private:
    std::weak_ptr<SettingsHost> host_;
    int activeMode_ = 0;
};

} // namespace florelle
