#include "FirstPickerController.h"

#include "FirstGlobalController.h"
#include "SettingsLenPickerController.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/PickerView.h"

#include <algorithm>
#include <string>

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

FirstPickerController::FirstPickerController(
    std::weak_ptr<FirstGlobalController> firstGlobalController)
    : firstGlobalController_(std::move(firstGlobalController)) {}

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
    auto screen = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
    screen->setBackgroundColor(Color(0.89, 0.949, 0.976));

    titleLbl_ = std::make_shared<Label>(Rect(20, 20, 280, 50));
    titleLbl_->setFont(Font::boldSystemFont(18));
    titleLbl_->setNumberOfLines(0);
    titleLbl_->setTextAlignment(TextAlignment::Center);
    // The same blue, darkened until it reads on the pale page (about 5:1).
    titleLbl_->setTextColor(Color(0.318, 0.349, 0.549));
    titleLbl_->setBackgroundColor(Color::clear());
    screen->addSubview(titleLbl_);

    pickerView_ = std::make_shared<PickerView>(Rect(0, 90, screenWidth, PickerView::defaultHeight));
    pickerView_->setShowsSelectionIndicator(true);
    auto self = std::static_pointer_cast<FirstPickerController>(shared_from_this());
    pickerView_->dataSource = self;
    pickerView_->delegate = self;
    screen->addSubview(pickerView_);
    setView(screen);
}

PickerView& FirstPickerController::pickerView() {
    view();
    return *pickerView_;
}

Label& FirstPickerController::titleLbl() {
    view();
    return *titleLbl_;
}

void FirstPickerController::setPickerMode(int mode) {
    view();
    pickerMode_ = mode;
    titleLbl_->setText(Strings::localized(promptKey(mode)));
    pickerView_->reloadAllComponents();
    // The mode numbers are the settings page's categories of the same values.
    selectValue(SettingsLenPickerController::storedValue(mode).value_or(1));
}

void FirstPickerController::switchToMode(int mode) {
    view();
    switching_ = true;
    View::animate(fadeDuration, [this] { pickerView_->setAlpha(0); });
    std::weak_ptr<FirstPickerController> self =
        std::static_pointer_cast<FirstPickerController>(shared_from_this());
    switchTmr_ = Timer(fadeDuration, false, [self, mode] {
        if (auto controller = self.lock()) {
            controller->setPickerMode(mode);
            controller->switching_ = false;
            View::animate(fadeDuration, [controller] { controller->pickerView_->setAlpha(1); });
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
    auto global = firstGlobalController_.lock();
    if (!global) {
        return;
    }
    int value = selectedValue();
    switch (pickerMode_) {
    case cycleLengthMode:
        global->saveCycleLength(value);
        break;
    case periodLengthMode:
        global->savePeriodLength(value);
        break;
    default:
        global->saveOvulationDay(value);
        break;
    }
}

std::shared_ptr<View> FirstPickerController::viewForRow(PickerView&, int row, int) {
    return SettingsLenPickerController::makeRowView(std::to_string(row + 1));
}

} // namespace florelle
