// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfilePasscodeController.h"

#include "PasscodeSetting.h"
#include "PasscodeViewController.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "storage/DatabaseController.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/TextField.h"
#include "ui/Window.h"

namespace florelle {

namespace {

constexpr const char* cellIdentifier = "passcodeCell";
constexpr int cellLabelTag = 1;

} // namespace

void ProfilePasscodeController::loadView() {
    table_ = std::make_shared<TableView>(Rect(0, 0, screenWidth, screenHeight),
                                         TableView::Style::grouped);
    auto self = std::static_pointer_cast<ProfilePasscodeController>(shared_from_this());
    table_->dataSource = self;
    table_->setDelegate(self);
    table_->reloadData();
    setView(table_);
}

const std::shared_ptr<TableView>& ProfilePasscodeController::tableView() {
    view();
    return table_;
}

std::shared_ptr<PasscodeViewControllerDelegate> ProfilePasscodeController::panelDelegate() {
    return std::static_pointer_cast<ProfilePasscodeController>(shared_from_this());
}

void ProfilePasscodeController::dressPanel() {
    addCancelButton([this] { dismiss(); });
}

std::shared_ptr<TableViewCell> ProfilePasscodeController::cellForRow(TableView& table,
                                                                     IndexPath path) {
    auto cell = table.dequeueReusableCell(cellIdentifier);
    if (!cell) {
        cell = std::make_shared<TableViewCell>(cellIdentifier);
        cell->setBackgroundView(std::make_shared<ImageView>(Image::named("cell_0.png")));
        auto label = std::make_shared<Label>(Rect(10, 8, 280, 20));
        label->setTag(cellLabelTag);
        label->setFont(Font::boldSystemFont(15));
        label->setTextColor(Color::white());
        label->setTextAlignment(TextAlignment::Center);
        cell->contentView()->addSubview(label);
    }
    cell->setAccessoryType(TableViewCell::Accessory::none);
    auto label = std::static_pointer_cast<Label>(cell->contentView()->viewWithTag(cellLabelTag));
    label->setText(Strings::localized(path.section == turnOffSection ? "Turn passcode off Key"
                                                                     : "Change passcode Key"));
    return cell;
}

void ProfilePasscodeController::didSelectRow(TableView& table, IndexPath path) {
    table.deselectRow(path, true);
    choose(path.section);
}

void ProfilePasscodeController::choose(int section) {
    Window* window = isViewLoaded() ? view()->window() : nullptr;
    if (!window || sheet_.isPresented()) {
        return;
    }
    changePass_ = section != turnOffSection;
    passCode_ = PasscodeSetting::stored();
    auto& panel = passcodeViewController();
    panel->switchPanel(PasscodeViewController::firstPanel);
    startEntry();
    sheet_.present(*passcodeNavController(), *window);
    panel->myTextField()->becomeFirstResponder();
}

void ProfilePasscodeController::dismiss() {
    stopAnswer();
    if (!sheet_.isPresented()) {
        return;
    }
    sheet_.dismiss(*passcodeNavController());
    passcodeViewController()->myTextField()->resignFirstResponder();
}

void ProfilePasscodeController::leave() {
    dismiss();
    if (auto* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}

bool ProfilePasscodeController::didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                                                      long long passCode) {
    // The page, not the code: a passcode has no place in a log.
    Log::write(format("END PASSCODE - %d", panelView));
    switch (panelView) {
    case PasscodeViewController::firstPanel:
        if (!passCode_ || passCode != *passCode_) {
            answer("Invalid passcode!", Color::red(), answerDelay,
                   [this] { passcodeViewController()->clearPanel(); });
            return false;
        }
        if (!changePass_) {
            // The diary's alert says why when it cannot be removed.
            if (!DatabaseController::deleteLocalPasscode()) {
                return false;
            }
            answer("Passcode removed!", Color::white(), answerDelay, [this] { leave(); });
            return true;
        }
        return !panel.nextPanel();
    case PasscodeViewController::secondPanel:
        newPassCode_ = passCode;
        return !panel.nextPanel();
    default:
        retryNewPassCode_ = passCode;
        if (retryNewPassCode_ != newPassCode_) {
            panel.prevPanel();
            panel.summaryLabel()->setText(format("%@. %@.",
                                                 Strings::localized("Passcode did not match Key"),
                                                 Strings::localized("Try again Key")));
            panel.summaryLabel()->setTextColor(Color::white());
            return false;
        }
        if (!DatabaseController::saveLocalPasscode(static_cast<int>(passCode))) {
            return false;
        }
        answer(Strings::localized("Passcode set! Key"), Color::white(), closeDelay,
               [this] { dismiss(); });
        return true;
    }
}

void ProfilePasscodeController::didShowPasscodePanel(PasscodeViewController& panel, int panelView) {
    if (panelView == PasscodeViewController::thirdPanel) {
        panel.summaryLabel()->setText("");
    }
    setTitles(panel, changePass_ ? "Change passcode Key" : "Remove passcode Key",
              {changePass_ ? "Enter your old passcode Key" : "Enter your passcode Key",
               "Enter your new passcode Key", "Re-enter your new passcode Key"});
}

} // namespace florelle
