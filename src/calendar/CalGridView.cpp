// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalGridView.h"

#include "CalDataSource.h"
#include "graphics/GraphicsContext.h"
#include "ui/Touch.h"

#include <unordered_set>

namespace florelle {

namespace {

std::unordered_set<CalDate> localDays(const std::vector<Date>& dates) {
    std::unordered_set<CalDate> days;
    for (Date date : dates) {
        days.insert(CalDate::dateFromDate(date));
    }
    return days;
}

void setTop(View& view, double top) {
    Rect frame = view.frame();
    frame.origin.y = top;
    view.setFrame(frame);
}

} // namespace

CalGridView::CalGridView(Rect frame, std::shared_ptr<CalLogic> logic,
                         std::weak_ptr<CalGridViewDelegate> delegate)
    : View(frame), logic_(std::move(logic)), delegate_(std::move(delegate)),
      frontMonthView_(std::make_shared<CalMonthView>()),
      backMonthView_(std::make_shared<CalMonthView>()) {
    setClipsToBounds(true);
    addSubview(backMonthView_);
    addSubview(frontMonthView_);
    backMonthView_->setHidden(true);
}

void CalGridView::slide(SlideDirection direction) {
    transitioning_ = true;
    backMonthView_->showDates(logic_->daysInFinalWeekOfPreviousMonth(),
                              logic_->daysInSelectedMonth(),
                              logic_->daysInFirstWeekOfFollowingMonth());

    // The week row both months share stays in place, so the slide moves by
    // whole rows.
    bool keepOneRow =
        (direction == SlideDirection::up && !logic_->daysInFinalWeekOfPreviousMonth().empty()) ||
        (direction == SlideDirection::down && !logic_->daysInFirstWeekOfFollowingMonth().empty());
    double backTop = 0;
    if (direction == SlideDirection::up) {
        backTop = frontMonthView_->frame().maxY() - (keepOneRow ? CalTileView::height : 0);
    } else if (direction == SlideDirection::down) {
        backTop = ((keepOneRow ? 1 : 0) - backMonthView_->numWeeks()) * CalTileView::height;
    }
    backMonthView_->setHidden(false);
    setTop(*backMonthView_, backTop);

    auto incoming = backMonthView_;
    auto outgoing = frontMonthView_;
    auto changes = [this, incoming, outgoing, backTop] {
        setTop(*outgoing, -backTop);
        outgoing->setAlpha(0);
        setTop(*incoming, 0);
        incoming->setAlpha(1);
        Rect frame = this->frame();
        frame.size.height = incoming->frame().height();
        setFrame(frame);
        if (onFrameChanged) {
            onFrameChanged();
        }
        if (auto delegate = delegate_.lock()) {
            delegate->changeCalSize(static_cast<int>(frame.height()));
        }
    };
    frontMonthView_ = incoming;
    backMonthView_ = outgoing;
    bringSubviewToFront(frontMonthView_.get());
    if (direction == SlideDirection::none) {
        // A jump has nothing to wait for: the grid takes picks at once.
        changes();
        finishSlide(outgoing);
    } else {
        std::weak_ptr<View> weakSelf = weak_from_this();
        View::animate(slideDuration, changes, [weakSelf, outgoing](bool) {
            if (auto self = weakSelf.lock()) {
                static_cast<CalGridView&>(*self).finishSlide(outgoing);
            }
        });
    }
    setSelectedTile(frontMonthView_->firstTileOfMonth(), false);
}

void CalGridView::finishSlide(const std::shared_ptr<CalMonthView>& outgoing) {
    // A jump during a slide may have brought the outgoing view back to the
    // front; then this slide's end has nothing left to do.
    if (outgoing != backMonthView_) {
        return;
    }
    transitioning_ = false;
    outgoing->setHidden(true);
}

bool CalGridView::selectDate(const CalDate& date) {
    auto tile = frontMonthView_->tileForDate(date);
    if (!tile) {
        return false;
    }
    setSelectedTile(tile, false);
    return true;
}

void CalGridView::setSelectedTile(const std::shared_ptr<CalTileView>& tile, bool byTouch) {
    if (selectedTile_ != tile) {
        if (selectedTile_) {
            selectedTile_->setSelected(false);
        }
        selectedTile_ = tile;
        if (tile) {
            tile->setSelected(true);
        }
    }
    if (tile && tile->date()) {
        if (auto delegate = delegate_.lock()) {
            delegate->didSelectDate(*tile->date(), byTouch);
        }
    }
}

void CalGridView::setHighlightedTile(const std::shared_ptr<CalTileView>& tile) {
    if (highlightedTile_ == tile) {
        return;
    }
    if (highlightedTile_) {
        highlightedTile_->setHighlighted(false);
    }
    highlightedTile_ = tile;
    if (tile) {
        tile->setHighlighted(true);
    }
}

void CalGridView::applyMarks(CalDataSource& dataSource) {
    Date from = logic_->fromDate();
    Date to = logic_->toDate();
    auto period = localDays(dataSource.periodDatesFrom(from, to));
    auto fertile = localDays(dataSource.fertileDatesFrom(from, to));
    auto ovulation = localDays(dataSource.ovulationDatesFrom(from, to));
    auto intimate = localDays(dataSource.intimateDatesFrom(from, to));
    CalDate shade = CalDate::dateFromDate(dataSource.shadeDate());
    Date futureLimit = dataSource.shadeFutureDate();
    CalDate shadeFuture = CalDate::dateFromDate(futureLimit);
    auto marked = localDays(dataSource.markedDatesFrom(from, to));
    for (const auto& tile : frontMonthView_->tilesInUse()) {
        const CalDate& day = *tile->date();
        tile->setPeriod(period.contains(day));
        tile->setFertile(fertile.contains(day));
        tile->setOvulation(ovulation.contains(day));
        tile->setIntimate(intimate.contains(day));
        tile->setShade(day < shade);
        // Tiles are reused from month to month, so no limit must clear the
        // flag too, or a day would stay shaded from an earlier month.
        tile->setShadeFuture(futureLimit != Date() && day > shadeFuture);
        tile->setMarked(marked.contains(day));
    }
}

std::shared_ptr<CalTileView> CalGridView::tileUnder(const Touch& touch) const {
    return frontMonthView_->tileAtPoint(touch.locationInView(frontMonthView_.get()));
}

void CalGridView::touchedTile(const std::shared_ptr<CalTileView>& tile) {
    if (!tile) {
        return;
    }
    if (tile->belongsToAdjacentMonth()) {
        if (!tile->isShaded()) {
            setHighlightedTile(tile);
        }
        return;
    }
    setHighlightedTile(nullptr);
    if (!tile->isShaded()) {
        setSelectedTile(tile, true);
    }
}

void CalGridView::touchesBegan(const Touches& touches, const Event&) {
    for (const auto& touch : touches) {
        touchedTile(tileUnder(*touch));
    }
}

void CalGridView::touchesMoved(const Touches& touches, const Event&) {
    for (const auto& touch : touches) {
        touchedTile(tileUnder(*touch));
    }
}

void CalGridView::touchesEnded(const Touches& touches, const Event&) {
    for (const auto& touch : touches) {
        auto tile = tileUnder(*touch);
        if (!tile) {
            continue;
        }
        if (!tile->belongsToAdjacentMonth()) {
            if (!tile->isShaded()) {
                setSelectedTile(tile, false);
            }
            continue;
        }
        // A second move while the first still slides would lose its month.
        if (transitioning_) {
            continue;
        }
        CalDate day = *tile->date();
        bool shaded = tile->isShaded();
        auto delegate = delegate_.lock();
        if (!delegate) {
            continue;
        }
        if (day < logic_->daysInSelectedMonth().front()) {
            delegate->showPreviousMonth();
        } else {
            delegate->showFollowingMonth();
        }
        if (!shaded) {
            selectDate(day);
        }
    }
    setHighlightedTile(nullptr);
}

void CalGridView::touchesCancelled(const Touches&, const Event&) {
    setHighlightedTile(nullptr);
}

void CalGridView::draw(GraphicsContext& context, const Rect&) {
    Rect area = bounds();
    context.drawImage(Image::named("Cal.bundle/cal_grid_background.png"), area);
    context.setFillColor(Color(0.63, 0.65, 0.68));
    context.fillRect(Rect(0, area.height() - 1, area.width(), 1));
}

} // namespace florelle
