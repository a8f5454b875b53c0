// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace florelle {

class ViewController;

// What the screens of the settings page ask of the page that stacks them:
// the next screen, and storing what was picked on them. The host brings
// what hangs on a stored value up to date.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    virtual void pushLenghts() = 0;
    virtual void pushSkinSelector() = 0;
    virtual void pushUserGuide() = 0;
    virtual void pushPasscodeController(std::shared_ptr<ViewController> screen) = 0;
    // The picker for one setting, opened on its stored value (see
    // SettingsLenPickerController's modes and categories).
    virtual void pushPicker(int rows, const std::string& label, int mode, int category) = 0;

    // A YES/NO (pregnancy) or ON/OFF (units) choice made on the picker.
    virtual void didSelectNumber(int value, int mode) = 0;
    virtual void saveCycleLength(int days) = 0;
    virtual void savePeriodLength(int days) = 0;
    virtual void saveOvulationDay(int day) = 0;
    // Kind 0 period, 1 fertile window; `days` before the start.
    virtual void setNotification(int kind, int days) = 0;
    // The mail row: the reports written and put into the mail composer.
    virtual void makeFiles() = 0;
    // The import row: a file chosen, its preview shown, then stored.
    virtual void importFromApp() = 0;
    // The sync row: the account form of the calendar sync.
    virtual void sync() = 0;
    // The backup row: a copy of the diary saved, or one put back.
    virtual void backupAndRestore() = 0;
};

} // namespace florelle
