// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Strings.h"
#include "platform/LocalNotificationCenter.h"
#include "screens/DiaryCopyFlow.h"
#include "screens/LenghtsController.h"
#include "screens/MailComposeViewController.h"
#include "screens/ModalSheetController.h"
#include "screens/ProfilePasscodeController.h"
#include "screens/SetPasscodeDialogue.h"
#include "screens/SettingsGlobalController.h"
#include "screens/SettingsGroupsController.h"
#include "screens/SettingsLenPickerController.h"
#include "screens/SettingsListStyle.h"
#include "screens/SkinController.h"
#include "screens/SyncController.h"
#include "screens/TouchForwardingView.h"
#include "screens/UserGuideController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/PickerView.h"
#include "ui/TableView.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;
using Picker = SettingsLenPickerController;

class SettingsScreensTest : public MainScreenTest {
protected:
    // Today is 1 March 2026; the latest period started on 20 February.
    void openSettings() {
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 20), localDate(2026, 2, 24)));
        launch(localDate(2026, 3, 1, 12));
        openPetal(MainPageKind::settings);
    }
    SettingsGlobalController& settings() const {
        return dynamic_cast<SettingsGlobalController&>(main().page(MainPageKind::settings));
    }
    ViewController* top() const { return settings().navController().topViewController(); }
    Picker& picker() const { return settings().settingsLenPickerController(); }
    void tapRow(TableView& table, IndexPath path) {
        table.scrollToRow(path, false);
        Rect row = table.rectForRow(path);
        host().tap(table.convertPointToWindow({row.midX(), row.midY()}));
        host().advance(1);
    }
    void tapBack() {
        Rect back = main().goBack().frame();
        host().tap(main().goBack().superview()->convertPointToWindow({back.midX(), back.midY()}));
        host().advance(1);
    }
    // What the wheel tells the picker when it comes to rest on a row.
    void pick(int row) { picker().didSelectRow(picker().pickerView(), row, 0); }
    void screenshot(const char* name) {
        if (const char* folder = std::getenv("FLORELLE_SCREENSHOT_DIR")) {
            EXPECT_TRUE(host().screenshot(std::filesystem::path(folder) / name));
        }
    }
    static std::vector<LocalNotification> pending() {
        return LocalNotificationCenter(LocalNotificationStore::standard())
            .scheduledLocalNotifications();
    }
    static bool pendingAt(Date fireDate) {
        auto all = pending();
        return std::any_of(all.begin(), all.end(),
                           [&](const LocalNotification& n) { return n.fireDate == fireDate; });
    }
};

TEST_F(SettingsScreensTest, EachRowOpensItsScreenAndTheBackButtonReturns) {
    openSettings();
    SettingsGroupsController& list = settings().settingsGroupsController();
    TableView& table = *list.tableView();
    ASSERT_EQ(table.numberOfSections(), 2);
    auto first = table.cellForRow({0, 0});
    ASSERT_TRUE(first);
    EXPECT_EQ(std::static_pointer_cast<Label>(
                  first->contentView()->viewWithTag(SettingsListStyle::topLblTag))
                  ->text(),
              Strings::localized("Default Lenghts & Notifications Key"));
    EXPECT_EQ(table.rectForRow({1, 3}).height(), SettingsGroupsController::rowHeight);
    screenshot("settings-list.png");

    struct Case {
        IndexPath path;
        std::function<bool()> opened;
    };
    const std::vector<Case> cases{
        {{0, 0}, [&] { return top() == &settings().lenghtsController(); }},
        {{0, 1},
         [&] {
             return top() == &picker() && picker().nMode() == Picker::yesNoMode &&
                    picker().numberOfDays() == 2 &&
                    picker().descriptionLbl().text() == Strings::localized("Are you pregnant? Key");
         }},
        {{0, 2}, [&] { return dynamic_cast<ModalSheetController*>(main().modalViewController()); }},
        {{0, 3},
         [&] { return main().syncForm().view()->center() == SyncController::restingCenter; }},
        {{0, 5},
         [&] {
             auto* copies = settings().diaryCopyFlow();
             return copies && copies->alert() &&
                    copies->alert()->title() == Strings::localized("Backup and restore Key");
         }},
        {{1, 0}, [&] { return top() == &settings().skinController(); }},
        {{1, 1}, [&] { return list.setPasscodeDialogue()->isPresented(); }},
        {{1, 2},
         [&] {
             return top() == &picker() && picker().nMode() == Picker::onOffMode &&
                    picker().descriptionLbl().text() == Strings::localized("Set SI units Key");
         }},
        {{1, 3}, [&] { return top() == &settings().userGuideController(); }},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << row.path.section << "." << row.path.row);
        tapRow(table, row.path);
        EXPECT_TRUE(row.opened());
        bool pushed = top() != &list;
        EXPECT_EQ(main().goBack().isHidden(), !pushed);
        EXPECT_EQ(main().lock(), pushed);
        if (pushed) {
            tapBack();
        } else if (list.setPasscodeDialogue()->isPresented()) {
            list.setPasscodeDialogue()->dismiss();
            host().advance(1);
        } else if (main().syncForm().view()->center() == SyncController::restingCenter) {
            main().syncForm().cancelClicked();
            host().advance(1);
        } else if (auto* copies = settings().diaryCopyFlow(); copies && copies->alert()) {
            tapView(*copies->alert()->button(copies->alert()->cancelButtonIndex()));
        } else if (auto* sheet =
                       dynamic_cast<ModalSheetController*>(main().modalViewController())) {
            // The mail composer, cancelled, goes and clears the row.
            auto& stack = dynamic_cast<NavigationController&>(sheet->content());
            dynamic_cast<MailComposeViewController&>(*stack.viewControllers().front())
                .cancelClicked();
            host().advance(1);
        }
        EXPECT_EQ(top(), &list);
        EXPECT_TRUE(main().goBack().isHidden());
        EXPECT_FALSE(main().lock());
        EXPECT_FALSE(table.indexPathForSelectedRow());
    }

    // With a passcode set the row offers to change or turn it off; turning
    // it off leaves the options by itself, and with them the way back.
    ASSERT_TRUE(DC::saveLocalPasscode(1234));
    tapRow(table, {1, 1});
    EXPECT_NE(dynamic_cast<ProfilePasscodeController*>(top()), nullptr);
    EXPECT_FALSE(main().goBack().isHidden());
    settings().navController().popViewController(true);
    host().advance(1);
    EXPECT_TRUE(main().goBack().isHidden());
    EXPECT_FALSE(main().lock());
}

TEST_F(SettingsScreensTest, ALengthPickedIsStoredAndTheStatusAndRemindersFollow) {
    ASSERT_TRUE(DC::saveNotification(0, 2));
    openSettings();
    EXPECT_EQ(main().remainingDaysLbl().text().find("19"), 0u) << "28-day cycle";

    tapRow(*settings().settingsGroupsController().tableView(), {0, 0});
    tapRow(*settings().lenghtsController().tableView(), {0, 0});
    ASSERT_EQ(top(), &picker());
    EXPECT_EQ(picker().numberOfDays(), 60);
    EXPECT_EQ(picker().pickerView().selectedRowInComponent(0), 28) << "opens on the stored value";
    EXPECT_EQ(picker().selectedNumLbl().text(), "28");
    screenshot("settings-picker.png");

    pick(35);
    EXPECT_EQ(DC::getCycleLength(), 35);
    EXPECT_EQ(picker().selectedNumLbl().text(), "35");
    EXPECT_EQ(main().remainingDaysLbl().text().find("26"), 0u);
    EXPECT_EQ(diaryChanges(), 1);
    // The next start moved to 27 March: its reminder two days before.
    EXPECT_TRUE(pendingAt(localDate(2026, 3, 25, 13)));

    // No cycle lasts 0 days: the picker shows what was kept instead.
    pick(0);
    EXPECT_EQ(DC::getCycleLength(), 1);
    EXPECT_EQ(picker().pickerView().selectedRowInComponent(0), 1);
    EXPECT_EQ(picker().selectedNumLbl().text(), "1");

    // Turning the wheel itself saves where it comes to rest.
    auto wheel = picker().pickerView().wheel(0);
    Point middle = wheel->convertPointToWindow({wheel->bounds().midX(), wheel->bounds().midY()});
    host().drag(middle, {middle.x, middle.y - 3 * PickerView::defaultRowHeight}, 30);
    host().advance(3);
    int rested = picker().pickerView().selectedRowInComponent(0);
    EXPECT_GT(rested, 1);
    EXPECT_EQ(DC::getCycleLength(), rested);
}

TEST_F(SettingsScreensTest, AReminderPickedReschedulesTheReminders) {
    openSettings();
    tapRow(*settings().settingsGroupsController().tableView(), {0, 0});
    LenghtsController& lenghts = settings().lenghtsController();
    EXPECT_EQ(lenghts.tableView()->numberOfSections(), 2);
    screenshot("settings-lengths.png");
    tapRow(*lenghts.tableView(), {1, 0});
    ASSERT_EQ(top(), &picker());
    EXPECT_EQ(picker().numberOfDays(), 30);

    pick(3);
    EXPECT_EQ(DC::getPeriodNotification(), 3);
    // The next start is 20 March, 28 days after the last.
    EXPECT_TRUE(pendingAt(localDate(2026, 3, 17, 13)));
    EXPECT_EQ(pending().size(), 2u);

    tapBack();
    EXPECT_EQ(top(), &lenghts);
    EXPECT_FALSE(main().goBack().isHidden()) << "still one screen to go back";
    EXPECT_TRUE(main().lock());
}

TEST_F(SettingsScreensTest, PregnancyAndUnitsSwitchTheirScreens) {
    openSettings();
    auto& notes = record(MainPageKind::notes);
    std::string periodCaption = main().titleLbl().text();
    TableView& list = *settings().settingsGroupsController().tableView();

    tapRow(list, {0, 1});
    EXPECT_EQ(picker().selectedNumLbl().text(), Strings::localized("NO Key"));
    pick(1);
    EXPECT_EQ(DC::getPregnant(), 1);
    long long started = DC::getPregnantStartDate().value();
    EXPECT_EQ(started, static_cast<long long>(host().clock().now().timeIntervalSince1970()));
    EXPECT_FALSE(main().centerButton().isEnabled());
    std::string pregnancyCaption = main().titleLbl().text();
    EXPECT_NE(pregnancyCaption, periodCaption);

    // A new ovulation day does not replace the countdown.
    tapBack();
    tapRow(list, {0, 0});
    tapRow(*settings().lenghtsController().tableView(), {0, 2});
    pick(16);
    EXPECT_EQ(DC::getOvulationDay(), 16);
    EXPECT_EQ(main().titleLbl().text(), pregnancyCaption);

    // Reopened, the picker shows YES and stores nothing.
    tapBack();
    tapBack();
    host().clock().set(localDate(2026, 3, 2, 12));
    tapRow(list, {0, 1});
    EXPECT_EQ(picker().selectedNumLbl().text(), Strings::localized("YES Key"));
    EXPECT_EQ(DC::getPregnantStartDate(), started);
    pick(0);
    EXPECT_EQ(DC::getPregnant(), 0);
    EXPECT_TRUE(main().centerButton().isEnabled());
    EXPECT_EQ(main().titleLbl().text(), periodCaption);

    tapBack();
    tapRow(list, {1, 2});
    pick(0);
    EXPECT_EQ(DC::getSi(), 0);
    EXPECT_EQ(picker().selectedNumLbl().text(), Strings::localized("OFF Key"));
    EXPECT_TRUE(notes.called("setSi 0"));
}

TEST_F(SettingsScreensTest, ASkinIsAppliedAndPreviewedForTwoSeconds) {
    openSettings();
    tapRow(*settings().settingsGroupsController().tableView(), {1, 0});
    SkinController& skins = settings().skinController();
    ASSERT_EQ(top(), &skins);
    EXPECT_FALSE(skins.checkedRow());

    tapRow(*skins.tableView(), {0, 2});
    EXPECT_EQ(DC::getSkin(), 2);
    EXPECT_EQ(main().getNewSkin(), 2);
    EXPECT_EQ(skins.checkedRow(), 2);
    EXPECT_EQ(skins.tableView()->cellForRow({0, 2})->accessoryType(),
              TableViewCell::Accessory::checkmark);
    EXPECT_TRUE(skins.imgViewVisible());
    screenshot("settings-skin-preview.png");

    // A second choice restarts the two seconds.
    skins.choose(1);
    host().advance(1.5);
    EXPECT_TRUE(skins.imgViewVisible());
    EXPECT_EQ(skins.tableView()->cellForRow({0, 2})->accessoryType(),
              TableViewCell::Accessory::none);
    host().advance(1);
    EXPECT_FALSE(skins.imgViewVisible());
    EXPECT_DOUBLE_EQ(skins.skinView().alpha(), 0);
    screenshot("settings-skins.png");

    // A touch on the screen takes the preview away at once.
    skins.choose(0);
    host().advance(0.6);
    host().tap({160, 300});
    EXPECT_FALSE(skins.imgViewVisible());
    EXPECT_EQ(DC::getSkin(), 0) << "the touch chose nothing";
}

} // namespace
