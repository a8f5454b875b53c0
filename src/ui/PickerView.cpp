// SPDX-License-Identifier: GPL-3.0-or-later
#include "PickerView.h"

#include <algorithm>

namespace florelle {

PickerView::PickerView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color(0.16, 0.17, 0.21));
    setClipsToBounds(true);
    indicator_ = std::make_shared<View>();
    indicator_->setBackgroundColor(Color(0.55, 0.60, 0.85, 0.35));
    indicator_->setUserInteractionEnabled(false);
    indicator_->setHidden(true);
    addSubview(indicator_);
}

int PickerView::numberOfRowsInComponent(int component) const {
    auto found = wheel(component);
    return found ? found->numberOfRows() : 0;
}

int PickerView::selectedRowInComponent(int component) const {
    auto found = wheel(component);
    return found ? found->selectedRow() : -1;
}

std::shared_ptr<PickerWheel> PickerView::wheel(int component) const {
    if (component < 0 || component >= numberOfComponents()) {
        return nullptr;
    }
    return wheels_[component];
}

void PickerView::reloadAllComponents() {
    std::vector<int> picked;
    for (auto& wheel : wheels_) {
        picked.push_back(wheel->selectedRow());
        wheel->removeFromSuperview();
    }
    wheels_.clear();
    auto source = dataSource.lock();
    auto listener = delegate.lock();
    int count = source ? std::max(0, source->numberOfComponents(*this)) : 0;
    Rect area = bounds().insetBy(margin, margin);
    double shared = count > 0 ? (area.width() - (count - 1) * wheelGap) / count : 0;
    double x = area.minX();
    for (int component = 0; component < count; ++component) {
        double width = (listener ? listener->widthForComponent(*this, component) : std::nullopt)
                           .value_or(shared);
        double rowHeight =
            (listener ? listener->rowHeightForComponent(*this, component) : std::nullopt)
                .value_or(defaultRowHeight);
        auto wheel =
            std::make_shared<PickerWheel>(Rect(x, area.minY(), width, area.height()), rowHeight);
        std::weak_ptr<View> weakSelf = weak_from_this();
        wheel->onRowPicked = [weakSelf, component](int row) {
            auto self = std::static_pointer_cast<PickerView>(weakSelf.lock());
            if (!self) {
                return;
            }
            if (auto listener = self->delegate.lock()) {
                listener->didSelectRow(*self, row, component);
            }
        };
        insertSubviewBelow(wheel, indicator_.get());
        wheels_.push_back(wheel);
        fillWheel(component);
        if (component < static_cast<int>(picked.size())) {
            wheel->selectRow(picked[component], false);
        }
        x += width + wheelGap;
    }
    layoutIndicator();
}

void PickerView::reloadComponent(int component) {
    if (wheel(component)) {
        fillWheel(component);
    }
}

void PickerView::fillWheel(int component) {
    auto source = dataSource.lock();
    auto listener = delegate.lock();
    int rows = source ? std::max(0, source->numberOfRowsInComponent(*this, component)) : 0;
    std::vector<std::string> titles;
    std::vector<std::shared_ptr<View>> views;
    for (int row = 0; row < rows; ++row) {
        titles.push_back(listener ? listener->titleForRow(*this, row, component) : std::string());
        views.push_back(listener ? listener->viewForRow(*this, row, component) : nullptr);
    }
    wheels_[component]->setRows(std::move(titles), std::move(views));
}

void PickerView::selectRow(int row, int component, bool animated) {
    if (auto found = wheel(component)) {
        found->selectRow(row, animated);
    }
}

void PickerView::setShowsSelectionIndicator(bool shows) {
    showsIndicator_ = shows;
    layoutIndicator();
}

void PickerView::layoutIndicator() {
    double rowHeight = wheels_.empty() ? defaultRowHeight : wheels_.front()->rowHeight();
    indicator_->setFrame(
        Rect(margin / 2, bounds().midY() - rowHeight / 2, bounds().width() - margin, rowHeight));
    indicator_->setHidden(!showsIndicator_);
    bringSubviewToFront(indicator_.get());
}

} // namespace florelle
