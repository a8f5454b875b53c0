// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingWheelController.h"

#include "storage/DatabaseController.h"
#include "ui/Label.h"
#include "ui/PickerView.h"

namespace florelle {

SettingWheelController::~SettingWheelController() = default;

std::optional<int> SettingWheelController::storedValue(int category) {
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

View& SettingWheelController::makePage(double wheelY) {
    auto page = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
    page->setBackgroundColor(Color(0.890, 0.949, 0.976));
    picker_ = std::make_shared<PickerView>(Rect(0, wheelY, screenWidth, PickerView::defaultHeight));
    picker_->setShowsSelectionIndicator(true);
    auto self = std::static_pointer_cast<SettingWheelController>(shared_from_this());
    picker_->dataSource = self;
    picker_->delegate = self;
    page->addSubview(picker_);
    setView(page);
    return *page;
}

std::shared_ptr<Label> SettingWheelController::addLabel(View& page, const Rect& frame,
                                                        const Font& font) {
    auto label = std::make_shared<Label>(frame);
    label->setFont(font);
    label->setTextAlignment(TextAlignment::Center);
    label->setBackgroundColor(Color::clear());
    page.addSubview(label);
    return label;
}

PickerView& SettingWheelController::pickerView() {
    view();
    return *picker_;
}

std::shared_ptr<View> SettingWheelController::viewForRow(PickerView&, int row, int) {
    auto label = std::make_shared<Label>(Rect(0, 0, 280, 40));
    label->setFont(Font::boldSystemFont(17));
    label->setTextAlignment(TextAlignment::Center);
    label->setBackgroundColor(Color::clear());
    label->setText(rowText(row));
    return label;
}

} // namespace florelle
