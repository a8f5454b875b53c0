// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingWheelController.h"
#include "foundation/Timer.h"

#include <memory>
#include <string>

namespace florelle {

class FirstSetupDelegate;
class Label;

// The number page of the first-run setup, used in turn for the cycle
// length, the period length and the ovulation day. The wheel offers the
// days from 1 up (a length of 0 days means nothing), the ovulation day only
// within the cycle stored, and opens on the stored value, so a setup taken
// up again after an interruption keeps the answers already given.
class FirstPickerController : public SettingWheelController {
public:
    // Each mode is for the stored setting of the same number.
    static constexpr int cycleLengthMode = cycleLengthCategory;
    static constexpr int periodLengthMode = periodLengthCategory;
    static constexpr int ovulationDayMode = ovulationDayCategory;
    static constexpr double fadeDuration = 0.3;

    explicit FirstPickerController(std::weak_ptr<FirstSetupDelegate> setup);
    ~FirstPickerController() override;

    // The largest number each mode offers: 59 days of cycle, 19 of period,
    // and an ovulation day before the stored cycle's end.
    static int maxValue(int mode);

    // Shows mode `mode` at once, on its stored value.
    void setPickerMode(int mode);
    // Fades the wheel out, shows `mode` and fades it in again.
    void switchToMode(int mode);
    // True while the wheel fades between two modes.
    bool isSwitching() const { return switching_; }
    // Stores the number on the wheel as the current mode's setting.
    void nextClicked();

    int pickerMode() const { return pickerMode_; }
    // The number the wheel shows.
    int selectedValue();
    // Turns the wheel to `value` (stores nothing).
    void selectValue(int value);
    Label& titleLbl();
    // Row r is the number r + 1.
    std::string rowText(int row) const override;

    int numberOfRowsInComponent(PickerView&, int) override { return maxValue(pickerMode_); }

protected:
    void loadView() override;

private:
    std::weak_ptr<FirstSetupDelegate> setup_;
    std::shared_ptr<Label> titleLbl_;
    Timer switchTmr_;
    int pickerMode_ = cycleLengthMode;
    bool switching_ = false;
};

} // namespace florelle
