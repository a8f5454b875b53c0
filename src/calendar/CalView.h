// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalGridView.h"
#include "CalGridViewDelegate.h"
#include "CalHeaderView.h"
#include "CalLogic.h"
#include "ui/ImageView.h"
#include "ui/View.h"

#include <memory>

namespace florelle {

// The month calendar: the header on top, below it a content area with the
// grid at its top, the grid's shadow at its bottom edge and the list area
// from there to the bottom. The header's title follows the logic's month;
// arrow presses go to the delegate, except while the grid slides.
class CalView : public View {
public:
    // Both the delegate and the logic are required: std::invalid_argument
    // ("Incomplete initializer: …") otherwise.
    CalView(Rect frame, std::weak_ptr<CalGridViewDelegate> delegate,
            std::shared_ptr<CalLogic> logic);

    const std::shared_ptr<CalHeaderView>& headerView() const { return headerView_; }
    const std::shared_ptr<CalGridView>& gridView() const { return gridView_; }
    const std::shared_ptr<View>& contentView() const { return contentView_; }
    // Below the grid; empty and transparent in this application.
    const std::shared_ptr<View>& tableView() const { return tableView_; }
    const std::shared_ptr<ImageView>& shadowView() const { return shadowView_; }

    // Slides the grid to the logic's month (none jumps there).
    void slide(CalGridView::SlideDirection direction) { gridView_->slide(direction); }
    void jumpToSelectedMonth() { gridView_->jumpToSelectedMonth(); }

private:
    void layoutBelowGrid();

    std::weak_ptr<CalGridViewDelegate> delegate_;
    std::shared_ptr<CalLogic> logic_;
    std::shared_ptr<CalHeaderView> headerView_;
    std::shared_ptr<View> contentView_;
    std::shared_ptr<CalGridView> gridView_;
    std::shared_ptr<View> tableView_;
    std::shared_ptr<ImageView> shadowView_;
};

} // namespace florelle
