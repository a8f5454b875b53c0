// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalDate.h"
#include "graphics/Color.h"
#include "ui/View.h"

#include <optional>

namespace florelle {

// One day of the month grid: its day, its state and its marks. It draws its
// background by state, at most one cycle mark (period before ovulation before
// fertile), the intimate and logged-data marks, and the day number. A flag
// or date that changes redraws the tile; setting the same value does nothing.
class CalTileView : public View {
public:
    static constexpr double width = 46;
    static constexpr double height = 44;

    enum class Type { regular = 0, adjacent = 1, today = 2 };

    // The tile's home position in its month view.
    explicit CalTileView(Point origin);

    const std::optional<CalDate>& date() const { return date_; }
    void setDate(std::optional<CalDate> date);
    Type type() const { return type_; }
    void setType(Type type);
    bool isToday() const { return type_ == Type::today; }
    bool belongsToAdjacentMonth() const { return type_ == Type::adjacent; }

    bool isSelected() const { return has(selected); }
    void setSelected(bool value);
    bool isHighlighted() const { return has(highlighted); }
    void setHighlighted(bool value) { change(highlighted, value); }
    bool isMarked() const { return has(marked); }
    void setMarked(bool value) { change(marked, value); }
    bool isPeriod() const { return has(period); }
    void setPeriod(bool value) { change(period, value); }
    bool isFertile() const { return has(fertile); }
    void setFertile(bool value) { change(fertile, value); }
    bool isOvulation() const { return has(ovulation); }
    void setOvulation(bool value) { change(ovulation, value); }
    bool isIntimate() const { return has(intimate); }
    void setIntimate(bool value) { change(intimate, value); }
    bool isShade() const { return has(shade); }
    void setShade(bool value) { change(shade, value); }
    bool isShadeFuture() const { return has(shadeFuture); }
    void setShadeFuture(bool value) { change(shadeFuture, value); }
    // Not selectable: before the shade date or after the future shade date.
    bool isShaded() const { return has(shade) || has(shadeFuture); }

    // Clears the date, selection, highlight, logged-data mark and type and
    // puts the tile back at its home frame; the cycle, intimate and shade
    // flags stay until the next marks overwrite them.
    void resetState();

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    enum Flag : unsigned {
        selected = 1u << 0,
        highlighted = 1u << 1,
        marked = 1u << 2,
        period = 1u << 3,
        fertile = 1u << 4,
        ovulation = 1u << 5,
        intimate = 1u << 6,
        shade = 1u << 7,
        shadeFuture = 1u << 8,
    };
    bool has(Flag flag) const { return (flags_ & flag) != 0; }
    // Sets or clears the flag; redraws and returns true when it changed.
    bool change(Flag flag, bool value);

    // Today's tile and a selected tile stand one point out to the left and
    // bottom so that their background covers the neighbour's border.
    void updateFrame();
    void drawBase(GraphicsContext& context, std::optional<Color>& text,
                  std::optional<Color>& shadow) const;
    void drawMarks(GraphicsContext& context) const;
    void drawDayNumber(GraphicsContext& context, const Color& text,
                       const std::optional<Color>& shadow) const;

    Point origin_;
    std::optional<CalDate> date_;
    Type type_ = Type::regular;
    unsigned flags_ = 0;
};

} // namespace florelle
