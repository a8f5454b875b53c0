// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalMonthView.h"

#include "graphics/GraphicsContext.h"

#include <cmath>

namespace florelle {

CalMonthView::CalMonthView()
    : View(Rect(0, 0, columns * CalTileView::width, rows * CalTileView::height + 1)) {
    setClipsToBounds(true);
    for (int index = 0; index < rows * columns; ++index) {
        Point origin{(index % columns) * CalTileView::width,
                     (index / columns) * CalTileView::height};
        tiles_[index] = std::make_shared<CalTileView>(origin);
        // Touches fall through to the grid, which works out the day itself.
        tiles_[index]->setUserInteractionEnabled(false);
        addSubview(tiles_[index]);
    }
}

void CalMonthView::showDates(const std::vector<CalDate>& leading, const std::vector<CalDate>& month,
                             const std::vector<CalDate>& trailing) {
    std::size_t next = 0;
    auto assign = [&](const std::vector<CalDate>& days, bool adjacent) {
        for (const CalDate& day : days) {
            if (next == tiles_.size()) {
                return;
            }
            CalTileView& tile = *tiles_[next++];
            tile.resetState();
            tile.setDate(day);
            tile.setType(adjacent        ? CalTileView::Type::adjacent
                         : day.isToday() ? CalTileView::Type::today
                                         : CalTileView::Type::regular);
        }
    };
    assign(leading, true);
    assign(month, false);
    assign(trailing, true);
    numWeeks_ = static_cast<int>((next + columns - 1) / columns);
    Rect frame = this->frame();
    frame.size.height = numWeeks_ * CalTileView::height + 1;
    setFrame(frame);
    setNeedsDisplay();
}

std::vector<std::shared_ptr<CalTileView>> CalMonthView::tilesInUse() const {
    return {tiles_.begin(), tiles_.begin() + numWeeks_ * columns};
}

std::shared_ptr<CalTileView> CalMonthView::tileAtPoint(Point point) const {
    if (point.x < 0 || point.y < 0) {
        return nullptr;
    }
    auto column = static_cast<int>(std::floor(point.x / CalTileView::width));
    auto row = static_cast<int>(std::floor(point.y / CalTileView::height));
    if (column >= columns || row >= numWeeks_) {
        return nullptr;
    }
    return tiles_[row * columns + column];
}

std::shared_ptr<CalTileView> CalMonthView::tileForDate(const CalDate& date) const {
    for (const auto& tile : tilesInUse()) {
        if (tile->date() == date) {
            return tile;
        }
    }
    return nullptr;
}

std::shared_ptr<CalTileView> CalMonthView::firstTileOfMonth() const {
    for (const auto& tile : tilesInUse()) {
        if (!tile->belongsToAdjacentMonth()) {
            return tile;
        }
    }
    return nullptr;
}

void CalMonthView::draw(GraphicsContext& context, const Rect&) {
    context.drawTiledImage(Image::named("Cal.bundle/cal_tile.png"), bounds());
}

} // namespace florelle
