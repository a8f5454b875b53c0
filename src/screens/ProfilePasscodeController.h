// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PasscodePanelOwner.h"
#include "PasscodeSheet.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"
#include "ui/ViewController.h"

#include <memory>
#include <optional>

namespace florelle {

class TableView;

// The passcode options, reached from the settings list while a passcode is
// set: two rows, "turn passcode off" and "change passcode". Either opens the
// passcode panel over the window. Turning off takes the current code and
// then stores no passcode; changing takes the current code, a new one and
// the new one again, and stores it when the two agree. Cancel closes the
// panel without storing.
class ProfilePasscodeController : public ViewController,
                                  public TableViewDataSource,
                                  public TableViewDelegate,
                                  public PasscodePanelOwner {
public:
    static constexpr int turnOffSection = 0;
    static constexpr int changeSection = 1;
    static constexpr double answerDelay = 0.25;
    static constexpr double closeDelay = 0.7;

    // Opens the panel as the row of the section would (0 turn off, 1 change).
    void choose(int section);
    // Closes the panel, stored or not.
    void dismiss();
    bool isPanelPresented() const { return sheet_.isPresented(); }
    bool changePass() const { return changePass_; }

    const std::shared_ptr<TableView>& tableView();

    int numberOfSections(TableView&) override { return 2; }
    int numberOfRowsInSection(TableView&, int) override { return 1; }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    void didSelectRow(TableView& table, IndexPath path) override;

    bool didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                               long long passCode) override;
    void didShowPasscodePanel(PasscodeViewController& panel, int panelView) override;

protected:
    void loadView() override;
    std::shared_ptr<PasscodeViewControllerDelegate> panelDelegate() override;
    void dressPanel() override;

private:
    // Goes back from the options to the screen below them.
    void leave();

    std::shared_ptr<TableView> table_;
    PasscodeSheet sheet_;
    // Empty when the stored code could not be read: then no code is right.
    std::optional<long long> passCode_;
    long long newPassCode_ = 0;
    long long retryNewPassCode_ = 0;
    bool changePass_ = false;
};

} // namespace florelle
