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

    bool isSelected() const { return flags_.selected; }
    void setSelected(bool selected);
    bool isHighlighted() const { return flags_.highlighted; }
    void setHighlighted(bool highlighted);
    bool isMarked() const { return flags_.marked; }
    void setMarked(bool marked);
    bool isPeriod() const { return flags_.period; }
    void setPeriod(bool period);
    bool isFertile() const { return flags_.fertile; }
    void setFertile(bool fertile);
    bool isOvulation() const { return flags_.ovulation; }
    void setOvulation(bool ovulation);
    bool isIntimate() const { return flags_.intimate; }
    void setIntimate(bool intimate);
    bool isShade() const { return flags_.shade; }
    void setShade(bool shade);
    bool isShadeFuture() const { return flags_.shadeFuture; }
    void setShadeFuture(bool shadeFuture);
    // Not selectable: before the shade date or after the future shade date.
    bool isShaded() const { return flags_.shade || flags_.shadeFuture; }

    // Clears the date, selection, highlight, logged-data mark and type and
    // puts the tile back at its home frame; the cycle, intimate and shade
    // flags stay until the next marks overwrite them.
    void resetState();

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    struct Flags {
        unsigned selected : 1 = 0;
        unsigned highlighted : 1 = 0;
        unsigned marked : 1 = 0;
        unsigned period : 1 = 0;
        unsigned fertile : 1 = 0;
        unsigned ovulation : 1 = 0;
        unsigned intimate : 1 = 0;
        unsigned shade : 1 = 0;
        unsigned shadeFuture : 1 = 0;
    };

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
    Flags flags_;
};

} // namespace florelle
