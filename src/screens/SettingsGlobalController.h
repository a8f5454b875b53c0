// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainPage.h"
#include "MainPageHost.h"
#include "SettingsHost.h"
#include "foundation/Timer.h"
#include "reminders/ReminderScheduler.h"
#include "ui/NavigationControllerDelegate.h"

#include <filesystem>
#include <memory>
#include <string>

namespace florelle {

class DiaryCopyFlow;
class FileChooser;
class LenghtsController;
class LocalNotificationCenter;
class NavigationController;
class ReportMail;
class SettingsGroupsController;
class SettingsLenPickerController;
class SkinController;
class UserGuideController;

// The settings page of the main screen's strip: a stack of screens without
// a bar, whose way back is the main screen's back button. It starts on the
// settings list. Every choice on its screens is saved at once, and this
// host then refreshes what depends on it: the main screen's status after a
// length, the reminders after a length or a reminder's days, the centre
// after pregnancy, the daily log after the units.
class SettingsGlobalController : public MainPage,
                                 public NavigationControllerDelegate,
                                 public SettingsHost {
public:
    SettingsGlobalController(LocalNotificationCenter& notifications,
                             std::weak_ptr<MainPageHost> host);
    ~SettingsGlobalController() override;

    void viewDidLoad() override;

    // Kind 0 period, 1 fertile window; `days` before the start.
    void setNotification(int kind, int days) override;

    // Pushing a screen brings up the main screen's back button and keeps the
    // page from hiding it.
    void pushLenghts() override;
    void pushSkinSelector() override;
    void pushUserGuide() override;
    void pushPasscodeController(std::shared_ptr<ViewController> screen) override;
    // The picker for one setting (see SettingsLenPickerController's modes
    // and categories), opened on the stored value.
    void pushPicker(int rows, const std::string& label, int mode, int category) override;
    // One screen back; back at the settings list the back button goes away.
    void popController() override;

    // A YES/NO (pregnancy) or ON/OFF (units) choice; numbers go through
    // the lengths screen.
    void didSelectNumber(int value, int mode) override;
    void saveCycleLength(int days) override;
    void savePeriodLength(int days) override;
    void saveOvulationDay(int day) override;

    // The mail row: shows the busy veil, writes the two reports into the
    // documents folder (CSV files on old platforms, PDF files otherwise),
    // then puts them into the mail composer.
    void makeFiles() override;
    void sync() override;
    void setOldOS(bool old) { oldOS_ = old; }
    void backupAndRestore() override;
    // The backup row's way through, once the row was tapped.
    DiaryCopyFlow* diaryCopyFlow() const { return copies_.get(); }

    // The import row: the desktop's file chooser, else a picker of our own
    // in a sheet; the chosen file's preview follows on the stack.
    void importFromApp() override;
    // Reads the file and shows what importing it adds, or why it cannot.
    void previewImport(const std::filesystem::path& file);

    void setNewSkin(int skin);
    void reloadTables() override;
    void deselectSelectedCell() override;

    void willShowViewController(NavigationController& navigation, ViewController& controller,
                                bool animated) override;

    NavigationController& navController() const { return *navController_; }
    SettingsGroupsController& settingsGroupsController() const { return *settingsGroups_; }
    LenghtsController& lenghtsController() const { return *lenghts_; }
    SettingsLenPickerController& settingsLenPickerController() const { return *picker_; }
    SkinController& skinController() const { return *skin_; }
    UserGuideController& userGuideController() const { return *userGuideController_; }

private:
    void pushScreen(std::shared_ptr<ViewController> screen);
    // After a length changed: the status, the summary and the reminders.
    void recalculate();
    void writeFiles();
    void showMessage(const std::string& title, const std::string& message);

    ReminderScheduler scheduler_;
    std::weak_ptr<MainPageHost> host_;
    std::shared_ptr<NavigationController> navController_;
    std::shared_ptr<SettingsGroupsController> settingsGroups_;
    std::shared_ptr<LenghtsController> lenghts_;
    std::shared_ptr<SettingsLenPickerController> picker_;
    std::shared_ptr<SkinController> skin_;
    std::shared_ptr<UserGuideController> userGuideController_;
    std::shared_ptr<ReportMail> reportMail_;
    std::shared_ptr<DiaryCopyFlow> copies_;
    Timer filesTmr_;
    std::unique_ptr<FileChooser> importChooser_;
    bool oldOS_ = false;
};

} // namespace florelle
