// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingWheelController.h"

#include <memory>
#include <string>

namespace florelle {

class Label;
class SettingsHost;
class SettingsPickerDelegate;

// A one-wheel picker for one setting: a number of days, YES/NO or ON/OFF.
// It opens on the stored value and saves each pick at once; there is no
// confirm button. After a pick it shows what was stored, which can differ
// from the row picked where storage refuses a value (a length of 0 days).
class SettingsLenPickerController : public SettingWheelController {
public:
    // Modes: what the rows say.
    static constexpr int numberMode = 0;
    static constexpr int yesNoMode = 1;
    static constexpr int onOffMode = 2;

    // Number picks go to `numbers` (the lengths screen), choices to the
    // settings host.
    SettingsLenPickerController(std::weak_ptr<SettingsPickerDelegate> numbers,
                                std::weak_ptr<SettingsHost> host);
    ~SettingsLenPickerController() override;

    // Sets up the picker for one setting: mode, prompt, row count and the
    // category whose stored value it opens on.
    void setUp(int mode, const std::string& prompt, int rows, int category);
    // Shows row `row` (stores nothing).
    void setPickerRow(int row);
    // A row the user picked: saves it.
    void setNum(int row);
    // What row `row` says in the current mode.
    std::string rowText(int row) const override;

    int nMode() const { return nMode_; }
    int numberOfDays() const { return numberOfDays_; }
    Label& descriptionLbl();
    Label& selectedNumLbl();

    int numberOfRowsInComponent(PickerView&, int) override { return numberOfDays_; }
    void didSelectRow(PickerView&, int row, int component) override;

protected:
    void loadView() override;

private:
    // Moves to the stored value, or to `fallback` where there is none.
    void showStoredValue(int fallback);

    std::weak_ptr<SettingsPickerDelegate> numbers_;
    std::weak_ptr<SettingsHost> host_;
    std::shared_ptr<Label> descriptionLbl_;
    std::shared_ptr<Label> selectedNumLbl_;
    int numberOfDays_ = 0;
    int nMode_ = numberMode;
    int category_ = -1;
};

} // namespace florelle
