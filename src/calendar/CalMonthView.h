// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalTileView.h"
#include "ui/View.h"

#include <array>
#include <memory>
#include <vector>

namespace florelle {

// One month as six rows of seven day tiles, of which the rows in use show;
// the view's height cuts off the rest.
class CalMonthView : public View {
public:
    static constexpr int rows = 6;
    static constexpr int columns = 7;

    // At the top-left corner of its superview, 7 × 46 wide.
    CalMonthView();

    // Fills tiles in order: leading days (dim), the month's days (today's
    // marked as today), trailing days (dim); the height follows the rows.
    void showDates(const std::vector<CalDate>& leading, const std::vector<CalDate>& month,
                   const std::vector<CalDate>& trailing);

    int numWeeks() const { return numWeeks_; }
    // The tiles of the rows in use, row by row.
    std::vector<std::shared_ptr<CalTileView>> tilesInUse() const;
    std::shared_ptr<CalTileView> tileAt(int index) const { return tiles_.at(index); }
    // The tile under a point of this view's space, if it is in a row in use.
    std::shared_ptr<CalTileView> tileAtPoint(Point point) const;
    // The tile showing the day, if any.
    std::shared_ptr<CalTileView> tileForDate(const CalDate& date) const;
    // Day 1: the first tile that is not a day of an adjacent month.
    std::shared_ptr<CalTileView> firstTileOfMonth() const;

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    std::array<std::shared_ptr<CalTileView>, rows * columns> tiles_;
    int numWeeks_ = 0;
};

} // namespace florelle
