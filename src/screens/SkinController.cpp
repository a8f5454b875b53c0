// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinController.h"

#include "MainPage.h"
#include "PetalTable.h"
#include "SettingsListStyle.h"
#include "TouchForwardingView.h"
#include "foundation/Format.h"
#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TableView.h"

namespace florelle {

namespace {

constexpr const char* cellIdentifier = "skinCell";
const Size previewSize(160, 240);

} // namespace

SkinController::SkinController(std::function<void(int)> setNewSkin)
    : setNewSkin_(std::move(setNewSkin)) {}

SkinController::~SkinController() = default;

void SkinController::loadView() {
    auto screen = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
    screen->setBackgroundColor(Color::clear());
    screen->addSubview(makeTable());

    // The preview covers the list, so that while it shows any touch on the
    // screen lands on it; at alpha 0 touches pass through to the list.
    skinView_ =
        std::make_shared<TouchForwardingView>(Rect(0, 0, screenWidth, MainPage::visibleHeight));
    skinView_->setBackgroundColor(Color(0, 0, 0, 0.45));
    skinView_->setAlpha(0);
    std::weak_ptr<SkinController> weakSelf =
        std::static_pointer_cast<SkinController>(shared_from_this());
    skinView_->onTouchBegan = [weakSelf](Point) {
        if (auto controller = weakSelf.lock(); controller && controller->imgViewVisible_) {
            controller->hideImgView();
        }
    };
    skinImgView_ = std::make_shared<ImageView>(Rect(
        (screenWidth - previewSize.width) / 2, (MainPage::visibleHeight - previewSize.height) / 2,
        previewSize.width, previewSize.height));
    skinView_->addSubview(skinImgView_);
    screen->addSubview(skinView_);
    setView(screen);
}

TouchForwardingView& SkinController::skinView() {
    view();
    return *skinView_;
}

ImageView& SkinController::skinImgView() {
    view();
    return *skinImgView_;
}

void SkinController::reloadTable() {
    if (!isViewLoaded()) {
        return;
    }
    auto selected = table().indexPathForSelectedRow();
    SettingsListController::reloadTable();
    if (selected) {
        table().selectRow(*selected, false);
    }
}

std::shared_ptr<TableViewCell> SkinController::cellForRow(TableView& table, IndexPath path) {
    auto cell = table.dequeueReusableCell(cellIdentifier);
    if (!cell) {
        cell = std::make_shared<TableViewCell>(cellIdentifier);
        auto icon = std::make_shared<ImageView>(Rect(10, 5, 30, 30));
        icon->setTag(SettingsListStyle::leftImgTag);
        cell->contentView()->addSubview(icon);
        auto name = std::make_shared<Label>(Rect(50, 10, 200, 20));
        name->setFont(Font::boldSystemFont(15));
        name->setBackgroundColor(Color::clear());
        name->setTag(SettingsListStyle::topLblTag);
        cell->contentView()->addSubview(name);
    }
    SettingsListStyle::applyRowBackground(*cell, skin());
    cell->setSelectionStyle(SettingsListStyle::selectionStyle(skin()));
    auto& content = *cell->contentView();
    std::static_pointer_cast<ImageView>(content.viewWithTag(SettingsListStyle::leftImgTag))
        ->setImage(Image::named(PetalTable::picture("icon_%d.png", path.row)));
    auto name = std::static_pointer_cast<Label>(content.viewWithTag(SettingsListStyle::topLblTag));
    name->setText(format("%s %d", Strings::localized("Skin Key").c_str(), path.row + 1));
    name->setTextColor(SettingsListStyle::rowTextColor(skin()));
    cell->setAccessoryType(checkedRow_ == path.row ? TableViewCell::Accessory::checkmark
                                                   : TableViewCell::Accessory::none);
    return cell;
}

std::shared_ptr<View> SkinController::viewForHeaderInSection(TableView&, int) {
    return header("Select your skin Key", 250);
}

void SkinController::didSelectRow(TableView&, IndexPath path) {
    choose(path.row);
}

void SkinController::choose(int skin) {
    if (skin < 0 || skin >= skinCount) {
        return;
    }
    checkRow(skin);
    hideViewTmr_.invalidate();
    imgViewVisible_ = true;
    skinImgView_->setImage(Image::named(PetalTable::picture("skinPreview_%d.jpg", skin)));
    View::animate(fadeInDuration, [this] { skinView_->setAlpha(1); });
    if (setNewSkin_) {
        setNewSkin_(skin);
    }
    std::weak_ptr<SkinController> weakSelf =
        std::static_pointer_cast<SkinController>(shared_from_this());
    hideViewTmr_ = Timer(previewSeconds, false, [weakSelf] {
        if (auto controller = weakSelf.lock()) {
            controller->hideImgView();
        }
    });
}

void SkinController::checkRow(int skin) {
    view();
    checkedRow_ = skin;
    for (int row = 0; row < skinCount; ++row) {
        if (auto cell = table().cellForRow({0, row})) {
            cell->setAccessoryType(row == skin ? TableViewCell::Accessory::checkmark
                                               : TableViewCell::Accessory::none);
        }
    }
}

void SkinController::hideImgView() {
    view();
    hideViewTmr_.invalidate();
    View::animate(fadeOutDuration, [this] { skinView_->setAlpha(0); });
    imgViewVisible_ = false;
    deselectSelectedCell();
}

} // namespace florelle
