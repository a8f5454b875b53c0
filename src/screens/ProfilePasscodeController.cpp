#include "ProfilePasscodeController.h"

#include "PasscodePage.h"
#include "PasscodeSetting.h"
#include "PasscodeViewController.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "storage/DatabaseController.h"
#include "ui/BarButtonItem.h"
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

const std::shared_ptr<PasscodeViewController>& ProfilePasscodeController::passcodeViewController() {
    if (!panel_) {
        auto self = std::static_pointer_cast<ProfilePasscodeController>(shared_from_this());
        panel_ = std::make_shared<PasscodeViewController>(self);
        navigation_ = std::make_shared<NavigationController>(panel_);
        std::weak_ptr<ProfilePasscodeController> weakSelf = self;
        panel_->navigationItem().leftBarButtonItem =
            std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, [weakSelf] {
                if (auto controller = weakSelf.lock()) {
                    controller->dismiss();
                }
            });
    }
    return panel_;
}

const std::shared_ptr<NavigationController>& ProfilePasscodeController::passcodeNavController() {
    passcodeViewController();
    return navigation_;
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
    answer_.invalidate();
    panel->switchPanel(PasscodeViewController::firstPanel);
    panel->clearPanel();
    panel->summaryLabel()->setText("");
    sheet_.present(*navigation_, *window);
    panel->myTextField()->becomeFirstResponder();
}

void ProfilePasscodeController::dismiss() {
    answer_.invalidate();
    if (!sheet_.isPresented()) {
        return;
    }
    sheet_.dismiss(*navigation_);
    panel_->myTextField()->resignFirstResponder();
}

void ProfilePasscodeController::leave() {
    dismiss();
    if (auto* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}

bool ProfilePasscodeController::shouldChangePasscode(PasscodeViewController& panel, int, long long,
                                                     int) {
    panel.summaryLabel()->setText("");
    return true;
}

bool ProfilePasscodeController::didEndPasscodeEditing(PasscodeViewController& panel, int panelView,
                                                      long long passCode) {
    // The page, not the code: a passcode has no place in a log.
    Log::write(format("END PASSCODE - %d", panelView));
    std::weak_ptr<ProfilePasscodeController> weakSelf =
        std::static_pointer_cast<ProfilePasscodeController>(shared_from_this());
    auto summary = panel.summaryLabel();
    switch (panelView) {
    case PasscodeViewController::firstPanel:
        if (!passCode_ || passCode != *passCode_) {
            summary->setText("Invalid passcode!");
            summary->setTextColor(Color::red());
            answer_ = Timer(answerDelay, false, [weakSelf] {
                if (auto self = weakSelf.lock()) {
                    self->panel_->clearPanel();
                }
            });
            return false;
        }
        if (!changePass_) {
            // The diary's alert says why when it cannot be removed.
            if (!DatabaseController::deleteLocalPasscode()) {
                return false;
            }
            summary->setText("Passcode removed!");
            summary->setTextColor(Color::white());
            answer_ = Timer(answerDelay, false, [weakSelf] {
                if (auto self = weakSelf.lock()) {
                    self->leave();
                }
            });
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
        summary->setText(Strings::localized("Passcode set! Key"));
        summary->setTextColor(Color::white());
        answer_ = Timer(closeDelay, false, [weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->dismiss();
            }
        });
        return true;
    }
}

void ProfilePasscodeController::didShowPasscodePanel(PasscodeViewController& panel, int panelView) {
    panel.setBarTitle(
        Strings::localized(changePass_ ? "Change passcode Key" : "Remove passcode Key"));
    panel.page(PasscodeViewController::firstPanel)
        ->titleLabel()
        ->setText(Strings::localized(changePass_ ? "Enter your old passcode Key"
                                                 : "Enter your passcode Key"));
    panel.page(PasscodeViewController::secondPanel)
        ->titleLabel()
        ->setText(Strings::localized("Enter your new passcode Key"));
    if (panelView == PasscodeViewController::thirdPanel) {
        panel.summaryLabel()->setText("");
    }
    panel.page(PasscodeViewController::thirdPanel)
        ->titleLabel()
        ->setText(Strings::localized("Re-enter your new passcode Key"));
}

} // namespace florelle
