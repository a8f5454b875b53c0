// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalTileView.h"

#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <array>
#include <cmath>
#include <string>

namespace florelle {

namespace {

// The tile's drawing rules give rectangles with the origin at the bottom-left
// corner and y growing upwards; this turns one into the view's own space.
Rect fromBottomUp(double x, double y, double w, double h) {
    return Rect(x, CalTileView::height - y - h, w, h);
}

const Font& dayFont() {
    static const Font font = Font::systemFont(22);
    return font;
}

// The measure of "1" … "31" in the day font, taken once.
Size daySize(unsigned day) {
    static std::array<std::optional<Size>, 32> sizes;
    auto& size = sizes.at(day);
    if (!size) {
        size = TextLayout(std::to_string(day), dayFont()).size();
    }
    return *size;
}

Color patternNamed(const char* name) {
    return Color::pattern(Image::named(name));
}

void drawStretchable(GraphicsContext& context, const char* name, double leftCap) {
    context.drawImage(Image::named(name).stretchable(leftCap, 0), fromBottomUp(0, -1, 47, 45));
}

} // namespace

CalTileView::CalTileView(Point origin) : View(Rect(origin, Size{width, height})), origin_(origin) {}

void CalTileView::setDate(std::optional<CalDate> date) {
    if (date == date_) {
        return;
    }
    date_ = date;
    setNeedsDisplay();
}

void CalTileView::setType(Type type) {
    if (type == type_) {
        return;
    }
    type_ = type;
    updateFrame();
    setNeedsDisplay();
}

void CalTileView::setSelected(bool value) {
    if (change(selected, value)) {
        updateFrame();
    }
}

bool CalTileView::change(Flag flag, bool value) {
    if (has(flag) == value) {
        return false;
    }
    flags_ = value ? (flags_ | flag) : (flags_ & ~flag);
    setNeedsDisplay();
    return true;
}

void CalTileView::resetState() {
    setDate(std::nullopt);
    setSelected(false);
    setHighlighted(false);
    setMarked(false);
    setType(Type::regular);
    updateFrame();
}

void CalTileView::updateFrame() {
    bool grown = isToday() || isSelected();
    Rect home(origin_, Size{width, height});
    setFrame(grown ? Rect(origin_.x - 1, origin_.y, width + 1, height + 1) : home);
}

void CalTileView::draw(GraphicsContext& context, const Rect&) {
    std::optional<Color> text;
    std::optional<Color> shadow;
    drawBase(context, text, shadow);
    drawMarks(context);
    if (isShaded()) {
        text = patternNamed("cal_tile_shaded.png");
        shadow.reset();
    }
    if (date_) {
        drawDayNumber(context, *text, shadow);
    }
    if (isHighlighted()) {
        context.setFillColor(Color::white(0.25, 0.3));
        context.fillRect(fromBottomUp(0, 0, width, height));
    }
}

void CalTileView::drawBase(GraphicsContext& context, std::optional<Color>& text,
                           std::optional<Color>& shadow) const {
    if (isToday() || isSelected()) {
        if (isToday()) {
            drawStretchable(context,
                            isSelected() ? "Cal.bundle/cal_tile_today_selected.png"
                                         : "Cal.bundle/cal_tile_today.png",
                            6);
        } else {
            drawStretchable(context, "Cal.bundle/cal_tile_selected.png", 1);
        }
        text = Color::white();
        shadow = Color::black();
    } else if (belongsToAdjacentMonth()) {
        text = patternNamed("Cal.bundle/cal_tile_dim_text_fill.png");
    } else {
        text = patternNamed("Cal.bundle/cal_tile_text_fill.png");
        shadow = Color::white();
    }
}

void CalTileView::drawMarks(GraphicsContext& context) const {
    if (isPeriod()) {
        context.drawImage(Image::named("period.png"), fromBottomUp(0, 0, width, height));
    } else if (isOvulation()) {
        context.drawImage(Image::named("ovulation.png"), fromBottomUp(25, 0, 16, 17));
    } else if (isFertile()) {
        context.drawImage(Image::named("fertile_flower.png"), fromBottomUp(25, 0, 16, 17));
    }
    if (isIntimate()) {
        context.drawImage(Image::named("intimate.png"), fromBottomUp(5, 4, 12, 10));
    }
    if (isMarked()) {
        context.drawImage(Image::named("pen_icon.png"), fromBottomUp(29, 25, 14, 14));
    }
}

void CalTileView::drawDayNumber(GraphicsContext& context, const Color& text,
                                const std::optional<Color>& shadow) const {
    std::string number = std::to_string(date_->day());
    Size size = daySize(date_->day());
    double x = std::round(0.1 * (width - size.width)) + 1;
    double y = std::round(0.5 * (height - size.height)) + 12;
    // y is the baseline's height above the bottom edge.
    if (shadow) {
        context.setFillColor(*shadow);
        context.drawTextAtBaseline(number, Point{x, height - y}, dayFont());
        context.setFillColor(text);
        context.drawTextAtBaseline(number, Point{x, height - y - 1}, dayFont());
    } else {
        context.setFillColor(text);
        context.drawTextAtBaseline(number, Point{x, height - y}, dayFont());
    }
}

} // namespace florelle
