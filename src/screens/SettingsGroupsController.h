// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingsListController.h"

#include <array>
#include <memory>
#include <vector>

namespace florelle {

class SetPasscodeDialogue;
class SettingsHost;

// The first screen of the settings page: two groups of rows, each a title
// over a subtitle, leading to the screen that changes the setting.
class SettingsGroupsController : public SettingsListController {
public:
    enum class Action {
        lengths,
        pregnancy,
        mail,
        sync,
        imports,
        copies,
        skin,
        passcode,
        units,
        guide
    };
    struct Row {
        const char* title;
        const char* subtitle;
        Action action;
    };
    // Group headers and rows, as string keys.
    static const std::array<const char*, 2>& headers();
    static const std::array<std::vector<Row>, 2>& rows();

    explicit SettingsGroupsController(std::weak_ptr<SettingsHost> host);
    ~SettingsGroupsController() override;

    // The panel that sets a first passcode.
    const std::shared_ptr<SetPasscodeDialogue>& setPasscodeDialogue();

    int numberOfSections(TableView&) override { return 2; }
    int numberOfRowsInSection(TableView&, int section) override {
        return static_cast<int>(rows().at(section).size());
    }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    std::shared_ptr<View> viewForHeaderInSection(TableView&, int section) override;
    void didSelectRow(TableView& table, IndexPath path) override;

private:
    void perform(Action action);

    std::weak_ptr<SettingsHost> host_;
    std::shared_ptr<SetPasscodeDialogue> setPasscodeDialogue_;
};

} // namespace florelle
