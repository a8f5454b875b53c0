// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphBasicView.h"

#include <algorithm>
#include <cmath>

namespace florelle {

void GraphBasicView::setUp(std::vector<GraphDataGroup> groups) {
    groups_ = std::move(groups);
}

double GraphBasicView::towerThickness() const {
    return baseThickness * towerAdjustmentRatio_;
}

int GraphBasicView::beginSection(int index, int total) {
    double thickness = towerThickness();
    step_ = static_cast<int>(thickness * total);
    return static_cast<int>(thickness * index + firstOffset + index * towerAdjustment_);
}

int GraphBasicView::advanceToNextItem(int position) const {
    return static_cast<int>(position + towerThickness() + itemGap + step_ + towerAdjustment_);
}

int GraphBasicView::getTotalHeight() {
    int total = static_cast<int>(groups_.size());
    // Every section is measured from the first section's start, so the
    // longest one decides; an empty chart still has its margins.
    int longest = beginSection(0, std::max(total, 1));
    for (const auto& group : groups_) {
        int position = beginSection(0, total);
        for (std::size_t i = 0; i < group.values.size(); ++i) {
            position = advanceToNextItem(position);
        }
        longest = std::max(longest, position);
    }
    return static_cast<int>(longest + 2 * towerThickness());
}

int GraphBasicView::getItemsEnd() {
    int total = static_cast<int>(groups_.size());
    int end = firstOffset;
    for (int section = 0; section < total; ++section) {
        int position = beginSection(section, total);
        for (std::size_t i = 0; i < groups_[static_cast<std::size_t>(section)].values.size(); ++i) {
            end = std::max(end, static_cast<int>(position + towerThickness()));
            position = advanceToNextItem(position);
        }
    }
    return end;
}

void GraphBasicView::updateSize() {
    Rect frame = this->frame();
    frame.size.height = getTotalHeight();
    setFrame(frame);
}

float GraphBasicView::getMaxValue() const {
    float maximum = 0;
    for (const auto& group : groups_) {
        for (const auto& item : group.values) {
            if (item.value > maximum) {
                maximum = item.value;
            }
        }
    }
    return maximum;
}

double GraphBasicView::getScaledValue(double value, double maxValue, double allowed) {
    double scaled = value * (allowed / maxValue);
    if (!std::isfinite(scaled) || scaled <= 0) {
        return 1.0;
    }
    return scaled;
}

} // namespace florelle
