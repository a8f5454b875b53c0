// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableViewCell.h"

#include "TableCellEditingControl.h"
#include "TableViewCellAccessory.h"

namespace florelle {

namespace {

constexpr double textMargin = 10;
constexpr double deleteButtonWidth = 64;

Color selectionColor(TableViewCell::SelectionStyle style) {
    return style == TableViewCell::SelectionStyle::gray ? Color::white(0.75)
                                                        : Color(0.02, 0.46, 0.91);
}

} // namespace

TableViewCell::TableViewCell(std::string reuseIdentifier)
    : View(Rect(0, 0, 320, defaultHeight)), reuseIdentifier_(std::move(reuseIdentifier)) {
    setBackgroundColor(Color::white());
    contentView_ = std::make_shared<View>(bounds());
    textLabel_ = std::make_shared<Label>(bounds().insetBy(textMargin, 0));
    textLabel_->setFont(Font::boldSystemFont(17));
    contentView_->addSubview(textLabel_);
    addSubview(contentView_);
    defaultSelection_ = std::make_shared<View>(bounds());
    defaultSelection_->setBackgroundColor(selectionColor(selectionStyle_));
    defaultSelection_->setHidden(true);
    insertSubview(defaultSelection_, 0);
}

TableViewCell::~TableViewCell() = default;

void TableViewCell::setBackgroundView(std::shared_ptr<View> view) {
    if (view == backgroundView_) {
        return;
    }
    if (backgroundView_) {
        backgroundView_->removeFromSuperview();
    }
    backgroundView_ = std::move(view);
    if (backgroundView_) {
        insertSubview(backgroundView_, 0);
    }
    layoutParts();
}

void TableViewCell::setSelectedBackgroundView(std::shared_ptr<View> view) {
    if (view == selectedBackgroundView_) {
        return;
    }
    if (selectedBackgroundView_) {
        selectedBackgroundView_->removeFromSuperview();
    }
    selectedBackgroundView_ = std::move(view);
    if (selectedBackgroundView_) {
        insertSubviewBelow(selectedBackgroundView_, contentView_.get());
    }
    layoutParts();
    updateSelectionShown(false);
}

void TableViewCell::setSelectionStyle(SelectionStyle style) {
    selectionStyle_ = style;
    defaultSelection_->setBackgroundColor(selectionColor(style));
    updateSelectionShown(false);
}

void TableViewCell::setAccessoryType(Accessory accessory) {
    if (accessory == accessory_) {
        return;
    }
    accessory_ = accessory;
    if (accessoryView_) {
        accessoryView_->removeFromSuperview();
        accessoryView_.reset();
    }
    if (accessory_ != Accessory::none) {
        accessoryView_ = std::make_shared<TableViewCellAccessory>(accessory_);
        addSubview(accessoryView_);
    }
    layoutParts();
}

void TableViewCell::setSelected(bool selected, bool animated) {
    if (selected == selected_) {
        return;
    }
    selected_ = selected;
    updateSelectionShown(animated);
}

void TableViewCell::updateSelectionShown(bool animated) {
    View& shown = selectedBackgroundView_ ? *selectedBackgroundView_ : *defaultSelection_;
    if (selectedBackgroundView_) {
        defaultSelection_->setHidden(true);
    }
    bool visible = selected_ && selectionStyle_ != SelectionStyle::none;
    if (visible) {
        shown.setHidden(false);
    }
    if (!selectedBackgroundView_) {
        textLabel_->setTextColor(visible ? Color::white() : Color::black());
    }
    View::animate(animated ? fadeDuration : 0, [&] { shown.setAlpha(visible ? 1 : 0); });
}

void TableViewCell::setEditingStyle(EditingStyle style) {
    if (style == editingStyle_) {
        return;
    }
    editingStyle_ = style;
    if (editControl_) {
        editControl_->removeFromSuperview();
        editControl_.reset();
    }
    setShowsDeleteConfirmation(false);
    if (style != EditingStyle::none) {
        editControl_ = std::make_shared<TableCellEditingControl>(
            Rect(0, 0, editingIndent, bounds().height()), style);
        editControl_->onTouchUpInside = [this] {
            if (auto tapped = onEditingControl) {
                tapped();
            }
        };
        addSubview(editControl_);
    }
    layoutParts();
}

void TableViewCell::setShowsDeleteConfirmation(bool shows) {
    if (shows == showsDeleteConfirmation()) {
        return;
    }
    if (!shows) {
        deleteButton_->removeFromSuperview();
        deleteButton_.reset();
        return;
    }
    deleteButton_ = std::make_shared<Button>(Rect(0, 0, deleteButtonWidth, 30));
    deleteButton_->setTitle("Delete");
    deleteButton_->setTitleColor(Color::white());
    deleteButton_->setBackgroundColor(Color(0.80, 0.10, 0.10));
    deleteButton_->onTouchUpInside = [this] {
        if (auto confirmed = onDeleteConfirmed) {
            confirmed();
        }
    };
    addSubview(deleteButton_);
    layoutParts();
}

void TableViewCell::prepareForReuse() {
    setSelected(false);
    setEditingStyle(EditingStyle::none);
}

void TableViewCell::layoutParts() {
    Rect area = bounds();
    for (auto* view : {&backgroundView_, &selectedBackgroundView_, &defaultSelection_}) {
        if (*view) {
            (*view)->setFrame(area);
        }
    }
    double left = isEditing() ? editingIndent : 0;
    double right = accessoryView_ ? accessoryWidth : 0;
    if (editControl_) {
        editControl_->setFrame(Rect(0, 0, editingIndent, area.height()));
    }
    if (accessoryView_) {
        accessoryView_->setFrame(
            Rect(area.width() - accessoryWidth, 0, accessoryWidth, area.height()));
    }
    if (deleteButton_) {
        double height = std::min(30.0, area.height() - 6);
        deleteButton_->setFrame(Rect(area.width() - deleteButtonWidth - 8,
                                     (area.height() - height) / 2, deleteButtonWidth, height));
        bringSubviewToFront(deleteButton_.get());
        right = deleteButtonWidth + 16;
    }
    contentView_->setFrame(
        Rect(left, 0, std::max(0.0, area.width() - left - right), area.height()));
    textLabel_->setFrame(contentView_->bounds().insetBy(textMargin, 0));
}

} // namespace florelle
