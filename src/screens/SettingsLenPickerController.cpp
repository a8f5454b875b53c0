#include "SettingsLenPickerController.h"

#include "MainPage.h"
#include "SettingsHost.h"
#include "SettingsPickerDelegate.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/PickerView.h"

namespace florelle {

SettingsLenPickerController::SettingsLenPickerController(
    std::weak_ptr<SettingsPickerDelegate> numbers, std::weak_ptr<SettingsHost> host)
    : numbers_(std::move(numbers)), host_(std::move(host)) {}

SettingsLenPickerController::~SettingsLenPickerController() = default;

std::optional<int> SettingsLenPickerController::storedValue(int category) {
    using DC = DatabaseController;
    auto shown = [](const StoreResult<int>& value) {
        return value ? std::optional<int>(*value) : std::nullopt;
    };
    switch (category) {
    case cycleLengthCategory:
        return shown(DC::getCycleLength());
    case periodLengthCategory:
        return shown(DC::getPeriodLength());
    case ovulationDayCategory:
        return shown(DC::getOvulationDay());
    case periodNotificationCategory:
        return shown(DC::getPeriodNotification());
    case fertileNotificationCategory:
        return shown(DC::getFertileNotification());
    case pregnancyCategory:
        return shown(DC::getPregnant());
    case unitsCategory:
        return shown(DC::getSi());
    default:
        return std::nullopt;
    }
}

void SettingsLenPickerController::loadView() {
    auto screen = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
    screen->setBackgroundColor(Color(0.890, 0.949, 0.976));

    descriptionLbl_ = std::make_shared<Label>(Rect(20, 20, 280, 60));
    descriptionLbl_->setFont(Font::systemFont(16));
    descriptionLbl_->setNumberOfLines(0);
    descriptionLbl_->setTextAlignment(TextAlignment::Center);
    descriptionLbl_->setBackgroundColor(Color::clear());
    screen->addSubview(descriptionLbl_);

    selectedNumLbl_ = std::make_shared<Label>(Rect(20, 95, 280, 50));
    selectedNumLbl_->setFont(Font::boldSystemFont(40));
    selectedNumLbl_->setTextAlignment(TextAlignment::Center);
    selectedNumLbl_->setTextColor(Color(0, 0.447, 0.698));
    selectedNumLbl_->setBackgroundColor(Color::clear());
    screen->addSubview(selectedNumLbl_);

    // The wheel sits at the foot of what the raised panel shows.
    picker_ =
        std::make_shared<PickerView>(Rect(0, MainPage::visibleHeight - PickerView::defaultHeight,
                                          screenWidth, PickerView::defaultHeight));
    picker_->setShowsSelectionIndicator(true);
    auto self = std::static_pointer_cast<SettingsLenPickerController>(shared_from_this());
    picker_->dataSource = self;
    picker_->delegate = self;
    screen->addSubview(picker_);
    setView(screen);
}

PickerView& SettingsLenPickerController::pickerView() {
    view();
    return *picker_;
}

Label& SettingsLenPickerController::descriptionLbl() {
    view();
    return *descriptionLbl_;
}

Label& SettingsLenPickerController::selectedNumLbl() {
    view();
    return *selectedNumLbl_;
}

void SettingsLenPickerController::setUp(int mode, const std::string& prompt, int rows,
                                        int category) {
    view();
    nMode_ = mode;
    numberOfDays_ = rows;
    category_ = category;
    descriptionLbl_->setText(prompt);
    picker_->reloadAllComponents();
    showStoredValue(0);
}

std::string SettingsLenPickerController::rowText(int row) const {
    switch (nMode_) {
    case yesNoMode:
        return Strings::localized(row == 1 ? "YES Key" : "NO Key");
    case onOffMode:
        return Strings::localized(row == 1 ? "ON Key" : "OFF Key");
    default:
        return std::to_string(row);
    }
}

void SettingsLenPickerController::setPickerRow(int row) {
    view();
    picker_->selectRow(row, 0, false);
    // The wheel keeps to its rows; the label says where it came to rest.
    selectedNumLbl_->setText(rowText(picker_->selectedRowInComponent(0)));
}

void SettingsLenPickerController::showStoredValue(int fallback) {
    setPickerRow(storedValue(category_).value_or(fallback));
}

void SettingsLenPickerController::setNum(int row) {
    if (nMode_ == numberMode) {
        if (auto numbers = numbers_.lock()) {
            numbers->didSelectNumber(row);
        }
    } else if (auto host = host_.lock()) {
        host->didSelectNumber(row, nMode_);
    }
    showStoredValue(row);
}

std::shared_ptr<View> SettingsLenPickerController::makeRowView(const std::string& text) {
    auto label = std::make_shared<Label>(Rect(0, 0, 280, 40));
    label->setFont(Font::boldSystemFont(17));
    label->setTextAlignment(TextAlignment::Center);
    label->setBackgroundColor(Color::clear());
    label->setText(text);
    return label;
}

std::shared_ptr<View> SettingsLenPickerController::viewForRow(PickerView&, int row, int) {
    return makeRowView(rowText(row));
}

void SettingsLenPickerController::didSelectRow(PickerView&, int row, int) {
    setNum(row);
}

} // namespace florelle
