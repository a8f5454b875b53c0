// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/PickerViewDataSource.h"
#include "ui/PickerViewDelegate.h"
#include "ui/ViewController.h"

#include <memory>
#include <optional>
#include <string>

namespace florelle {

class Font;
class Label;
class PickerView;

// A page with one wheel for one stored setting, as the settings page's
// picker and the first-run setup's number page show it: the pale page, the
// wheel with its rows as bold centred labels, and the stored value a wheel
// opens on.
class SettingWheelController : public ViewController,
                               public PickerViewDataSource,
                               public PickerViewDelegate {
public:
    // Categories: which stored setting a wheel is for.
    static constexpr int cycleLengthCategory = 0;
    static constexpr int periodLengthCategory = 1;
    static constexpr int ovulationDayCategory = 2;
    static constexpr int periodNotificationCategory = 3;
    static constexpr int fertileNotificationCategory = 4;
    static constexpr int pregnancyCategory = 5;
    static constexpr int unitsCategory = 6;

    ~SettingWheelController() override;

    // The setting's stored value, or nothing for an unknown category or a
    // read that failed.
    static std::optional<int> storedValue(int category);

    PickerView& pickerView();
    // What row `row` says.
    virtual std::string rowText(int row) const = 0;

    int numberOfComponents(PickerView&) override { return 1; }
    std::shared_ptr<View> viewForRow(PickerView&, int row, int component) override;

protected:
    // Makes the page with the wheel at `wheelY` as this screen's view; the
    // screen adds its labels to it.
    View& makePage(double wheelY);
    // A centred label on a clear background, added to the page.
    static std::shared_ptr<Label> addLabel(View& page, const Rect& frame, const Font& font);
    // The wheel, once the page is made.
    PickerView& wheel() const { return *picker_; }

private:
    std::shared_ptr<PickerView> picker_;
};

} // namespace florelle
