// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsLenPickerController.h"

#include "MainPage.h"
#include "SettingsHost.h"
#include "SettingsPickerDelegate.h"
#include "foundation/Strings.h"
#include "ui/Label.h"
#include "ui/PickerView.h"

namespace florelle {

SettingsLenPickerController::SettingsLenPickerController(
    std::weak_ptr<SettingsPickerDelegate> numbers, std::weak_ptr<SettingsHost> host)
    : numbers_(std::move(numbers)), host_(std::move(host)) {}

SettingsLenPickerController::~SettingsLenPickerController() = default;

void SettingsLenPickerController::loadView() {
    // The wheel sits at the foot of what the raised panel shows.
    View& page = makePage(MainPage::visibleHeight - PickerView::defaultHeight);

    descriptionLbl_ = addLabel(page, Rect(20, 20, 280, 60), Font::systemFont(16));
    descriptionLbl_->setNumberOfLines(0);

    selectedNumLbl_ = addLabel(page, Rect(20, 95, 280, 50), Font::boldSystemFont(40));
    selectedNumLbl_->setTextColor(Color(0, 0.447, 0.698));
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
    wheel().reloadAllComponents();
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
    wheel().selectRow(row, 0, false);
    // The wheel keeps to its rows; the label says where it came to rest.
    selectedNumLbl_->setText(rowText(wheel().selectedRowInComponent(0)));
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

void SettingsLenPickerController::didSelectRow(PickerView&, int row, int) {
    setNum(row);
}

} // namespace florelle
