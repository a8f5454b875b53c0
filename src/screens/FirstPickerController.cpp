// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPickerController.h"

#include "FirstSetupDelegate.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/PickerView.h"

#include <algorithm>

namespace florelle {

namespace {

const char* promptKey(int mode) {
    switch (mode) {
    case FirstPickerController::periodLengthMode:
        return "Enter your period length: Key";
    case FirstPickerController::ovulationDayMode:
        return "Enter your ovulation day: Key";
    default:
        return "Enter your cycle length: Key";
    }
}

} // namespace

FirstPickerController::FirstPickerController(std::weak_ptr<FirstSetupDelegate> setup)
    : setup_(std::move(setup)) {}

FirstPickerController::~FirstPickerController() = default;

int FirstPickerController::maxValue(int mode) {
    switch (mode) {
    case periodLengthMode:
        return 19;
    case ovulationDayMode:
        return std::clamp(DatabaseController::getCycleLength().value_or(28) - 1, 1, 59);
    default:
        return 59;
    }
}

void FirstPickerController::loadView() {
    View& page = makePage(90);
    titleLbl_ = addLabel(page, Rect(20, 20, 280, 50), Font::boldSystemFont(18));
    titleLbl_->setNumberOfLines(0);
    // The same blue, darkened until it reads on the pale page (about 5:1).
    titleLbl_->setTextColor(Color(0.318, 0.349, 0.549));
}

Label& FirstPickerController::titleLbl() {
    view();
    return *titleLbl_;
}

void FirstPickerController::setPickerMode(int mode) {
    view();
    pickerMode_ = mode;
    titleLbl_->setText(Strings::localized(promptKey(mode)));
    wheel().reloadAllComponents();
    selectValue(storedValue(mode).value_or(1));
}

void FirstPickerController::switchToMode(int mode) {
    view();
    switching_ = true;
    View::animate(fadeDuration, [this] { wheel().setAlpha(0); });
    std::weak_ptr<FirstPickerController> self =
        std::static_pointer_cast<FirstPickerController>(shared_from_this());
    switchTmr_ = Timer(fadeDuration, false, [self, mode] {
        if (auto controller = self.lock()) {
            controller->setPickerMode(mode);
            controller->switching_ = false;
            View::animate(fadeDuration, [controller] { controller->wheel().setAlpha(1); });
        }
    });
}

int FirstPickerController::selectedValue() {
    return pickerView().selectedRowInComponent(0) + 1;
}

void FirstPickerController::selectValue(int value) {
    pickerView().selectRow(std::clamp(value, 1, maxValue(pickerMode_)) - 1, 0, false);
}

void FirstPickerController::nextClicked() {
    auto setup = setup_.lock();
    if (!setup) {
        return;
    }
    int value = selectedValue();
    switch (pickerMode_) {
    case cycleLengthMode:
        setup->saveCycleLength(value);
        break;
    case periodLengthMode:
        setup->savePeriodLength(value);
        break;
    default:
        setup->saveOvulationDay(value);
        break;
    }
}

std::string FirstPickerController::rowText(int row) const {
    return std::to_string(row + 1);
}

} // namespace florelle
