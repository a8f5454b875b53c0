// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SyncFormHost.h"
#include "foundation/Timer.h"
#include "geometry/Geometry.h"
#include "ui/TextFieldDelegate.h"
#include "ui/ViewController.h"

#include <array>
#include <memory>

namespace florelle {

class Button;
class Label;
class PasswordVault;
class TextField;
struct SyncOutcome;

// The account form of the calendar sync: the calendar server, the user name
// and the password, with Cancel and Sync above them. It rests low on the
// screen, moves up while a field is edited, and after a sync shows how it
// went: on success for two seconds before it closes, on failure for two and
// a half before the fields come back for another try. The password is
// kept in the desktop's keyring after a sync that worked; where there is
// none it is asked for each time.
class SyncController : public ViewController, public TextFieldDelegate {
public:
    static constexpr double formHeight = 169;
    static constexpr Point restingCenter{160, 376};
    // Raised, the whole form stays above the keyboard.
    static constexpr Point raisedCenter{160, 158};
    static constexpr Point hiddenCenter{160, 700};
    static constexpr double successSeconds = 2.0;
    static constexpr double failureSeconds = 2.5;

    SyncController(std::weak_ptr<SyncFormHost> host, std::shared_ptr<PasswordVault> vault);
    ~SyncController() override;

    // The fields filled from what was kept: server, user name, password.
    void loadUserData();
    void moveUp();
    void cancelClicked();
    void syncClicked();
    void syncedSuccessful(const SyncOutcome& outcome);
    void tmrEnd1();
    void tmrEnd2();

    // While a sync runs, and whether Cancel was pressed during it.
    bool isSyncing() const { return syncing_; }
    bool isCancelled() const { return cancelled_; }
    bool isUp() const { return isUp_; }

    TextField& serverTxt() const { return *fields_[0]; }
    TextField& userNameTxt() const { return *fields_[1]; }
    TextField& passTxt() const { return *fields_[2]; }
    Label& syncLbl() const { return *syncLbl_; }
    View& blackView() const { return *blackView_; }
    View& listView() const { return *list_; }
    Button& syncButton() const { return *syncButton_; }
    Button& cancelButton() const { return *cancelButton_; }

    void textFieldDidBeginEditing(TextField&) override { moveUp(); }

protected:
    void loadView() override;

private:
    void showResult(const std::string& text, bool succeeded);
    void giveUpKeyboard();
    std::weak_ptr<SyncController> weakSelf();

    std::weak_ptr<SyncFormHost> host_;
    std::shared_ptr<PasswordVault> vault_;
    std::array<std::shared_ptr<TextField>, 3> fields_;
    std::shared_ptr<View> list_;
    std::shared_ptr<Label> syncLbl_;
    std::shared_ptr<View> blackView_;
    std::shared_ptr<Button> syncButton_;
    std::shared_ptr<Button> cancelButton_;
    Timer resultTimer_;
    bool isUp_ = false;
    bool syncing_ = false;
    bool cancelled_ = false;
};

} // namespace florelle
