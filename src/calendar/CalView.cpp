// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalView.h"

#include <algorithm>
#include <stdexcept>

namespace florelle {

namespace {

std::shared_ptr<CalLogic> requireComplete(const std::weak_ptr<CalGridViewDelegate>& delegate,
                                          std::shared_ptr<CalLogic> logic) {
    if (delegate.expired() || !logic) {
        throw std::invalid_argument(
            "Incomplete initializer: CalView must be initialized with a delegate and a "
            "CalLogic.");
    }
    return logic;
}

} // namespace

CalView::CalView(Rect frame, std::weak_ptr<CalGridViewDelegate> delegate,
                 std::shared_ptr<CalLogic> logic)
    : View(frame), delegate_(delegate), logic_(requireComplete(delegate, std::move(logic))),
      headerView_(std::make_shared<CalHeaderView>(frame.width())),
      contentView_(std::make_shared<View>(
          Rect(0, CalHeaderView::height, frame.width(), frame.height() - CalHeaderView::height))),
      gridView_(std::make_shared<CalGridView>(
          Rect(0, 0, CalMonthView::columns * CalTileView::width, 0), logic_, delegate)),
      tableView_(std::make_shared<View>()),
      shadowView_(std::make_shared<ImageView>(Image::named("Cal.bundle/cal_grid_shadow.png"))) {
    addSubview(contentView_);
    addSubview(headerView_);
    contentView_->addSubview(gridView_);
    contentView_->addSubview(tableView_);
    contentView_->addSubview(shadowView_);
    tableView_->setAlpha(0);
    shadowView_->setFrame(Rect(0, 0, frame.width(), shadowView_->frame().height()));
    shadowView_->setUserInteractionEnabled(false);

    headerView_->setTitle(logic_->selectedMonthNameAndYear());
    std::weak_ptr<CalHeaderView> header = headerView_;
    logic_->onSelectedMonthNameAndYearChanged = [header](const std::string& title) {
        if (auto view = header.lock()) {
            view->setTitle(title);
        }
    };
    auto arrow = [this](bool following) {
        if (gridView_->isTransitioning()) {
            return;
        }
        if (auto target = delegate_.lock()) {
            following ? target->showFollowingMonth() : target->showPreviousMonth();
        }
    };
    headerView_->leftArrow()->onTouchUpInside = [arrow] { arrow(false); };
    headerView_->rightArrow()->onTouchUpInside = [arrow] { arrow(true); };
    gridView_->onFrameChanged = [this] { layoutBelowGrid(); };
    layoutBelowGrid();
}

void CalView::layoutBelowGrid() {
    double gridBottom = gridView_->frame().maxY();
    Rect content = contentView_->bounds();
    tableView_->setFrame(
        Rect(0, gridBottom, content.width(), std::max(0.0, content.height() - gridBottom)));
    Rect shadow = shadowView_->frame();
    shadow.origin.y = gridBottom;
    shadowView_->setFrame(shadow);
}

} // namespace florelle
