// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "screens/SettingsGlobalController.h"
#include "screens/SettingsGroupsController.h"
#include "screens/SyncController.h"
#include "storage/DatabaseController.h"
#include "support/AtomServer.h"
#include "support/LocalDays.h"
#include "support/MemoryVault.h"
#include "sync/SyncAccount.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/TextField.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// The sync row of the settings page opens the account form over the
// screen; the form syncs with a calendar server on this machine.
class SyncFormTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 20), localDate(2026, 2, 24)));
        SyncServerSetting::set(server_.url());
        launch(localDate(2026, 3, 1, 12));
        main().setPasswordVault(vault_);
        openPetal(MainPageKind::settings);
        openForm();
    }
    // Taps the settings page's sync row.
    void openForm() {
        auto& settings =
            dynamic_cast<SettingsGlobalController&>(main().page(MainPageKind::settings));
        TableView& table = *settings.settingsGroupsController().tableView();
        Rect row = table.rectForRow({0, 3});
        host().tap(table.convertPointToWindow({row.midX(), row.midY()}));
        host().advance(1);
    }
    SyncController& form() const { return main().syncForm(); }
    Point formCenter() const { return form().view()->center(); }
    void fillIn(const std::string& user, const std::string& password) {
        tapView(form().userNameTxt(), 0.5);
        host().type(user);
        tapView(form().passTxt(), 0.5);
        host().type(password);
    }

    AtomServer server_{"anna", "secret"};
    std::shared_ptr<MemoryVault> vault_ = std::make_shared<MemoryVault>();
};

TEST_F(SyncFormTest, ASyncThatWorksSaysSoAndClosesAfterTwoSeconds) {
    EXPECT_EQ(formCenter(), SyncController::restingCenter);
    EXPECT_DOUBLE_EQ(main().bigTranspView().alpha(), 0.5);
    EXPECT_EQ(form().serverTxt().text(), server_.url());
    EXPECT_EQ(form().passTxt().text(), "");
    fillIn("anna", "secret");
    EXPECT_EQ(formCenter(), SyncController::raisedCenter) << "up while a field is edited";
    keepScreenshot("sync-form");

    tapView(form().syncButton(), 0.6);
    EXPECT_EQ(form().syncLbl().text(), t("You have synced successfuly! Key"));
    EXPECT_DOUBLE_EQ(form().syncLbl().alpha(), 1);
    EXPECT_GT(server_.events("Florelle").size(), 100u);
    EXPECT_EQ(DC::getUsername().value(), "anna");
    EXPECT_EQ(vault_->password(server_.url(), "anna"), "secret");
    keepScreenshot("sync-done");

    host().advance(1.3);
    EXPECT_NE(formCenter(), SyncController::hiddenCenter) << "still showing the message";
    host().advance(1);
    EXPECT_EQ(formCenter(), SyncController::hiddenCenter);
    EXPECT_DOUBLE_EQ(main().bigTranspView().alpha(), 0);

    // Next time the form is filled from what was kept.
    openForm();
    EXPECT_EQ(formCenter(), SyncController::restingCenter);
    EXPECT_EQ(form().userNameTxt().text(), "anna");
    EXPECT_EQ(form().passTxt().text(), "secret");
}

TEST_F(SyncFormTest, AFailedSyncSaysSoAndStaysOpenForAnotherTry) {
    fillIn("anna", "guess");
    tapView(form().syncButton(), 0.6);
    EXPECT_EQ(form().syncLbl().text(), t("Error occurred, check your username and password! Key"));
    EXPECT_TRUE(vault_->kept.empty()) << "a password that did not work is not kept";
    host().advance(2.5);
    EXPECT_EQ(formCenter(), SyncController::restingCenter);
    EXPECT_DOUBLE_EQ(form().listView().alpha(), 1);
    EXPECT_DOUBLE_EQ(form().syncLbl().alpha(), 0);
    EXPECT_EQ(server_.calendarCount("Florelle"), 0);

    tapView(form().cancelButton(), 1);
    EXPECT_EQ(formCenter(), SyncController::hiddenCenter);
}

} // namespace
