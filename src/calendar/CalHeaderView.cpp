#include "CalHeaderView.h"

#include "CalAdditions.h"
#include "CalDateFormatter.h"
#include "CalTileView.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <cmath>

namespace florelle {

namespace {

constexpr double arrowTop = 3;
constexpr double weekdayTop = 30;
constexpr double weekdayHeight = 15;

const Font& titleFont() {
    static const Font font = Font::boldSystemFont(22);
    return font;
}

const Font& weekdayFont() {
    static const Font font = Font::boldSystemFont(10);
    return font;
}

} // namespace

CalHeaderView::CalHeaderView(double width)
    : View(Rect(0, 0, width, height)),
      leftArrow_(std::make_shared<CalArrowButton>(Rect(0, arrowTop, CalTileView::width, 30),
                                                  "Cal.bundle/cal_left_arrow.png")),
      rightArrow_(std::make_shared<CalArrowButton>(
          Rect(width - CalTileView::width, arrowTop, CalTileView::width, 30),
          "Cal.bundle/cal_right_arrow.png")) {
    const Calendar& calendar = CalAdditions::currentCalendar();
    auto names = CalDateFormatter::shortWeekdaySymbols(calendar.locale());
    int first = calendar.firstWeekday();
    for (double x = 0; x < width; x += CalTileView::width) {
        std::size_t index = weekdayNames_.size();
        weekdayNames_.push_back(names.at((first - 1 + index) % 7));
    }
    addSubview(leftArrow_);
    addSubview(rightArrow_);
}

void CalHeaderView::setTitle(std::string title) {
    if (title == title_) {
        return;
    }
    title_ = std::move(title);
    setNeedsDisplay();
}

Rect CalHeaderView::titleFrame() const {
    Size size = TextLayout(title_, titleFont()).size();
    return Rect(std::floor(bounds().width() / 2 - size.width / 2), arrowTop, size.width,
                size.height);
}

void CalHeaderView::draw(GraphicsContext& context, const Rect&) {
    Rect area = bounds();
    context.setFillColor(Color::gray());
    context.fillRect(area);
    context.drawImage(Image::named("Cal.bundle/cal_grid_background.png"), area);

    Rect title = titleFrame();
    context.save();
    context.setShadow(Size{0, 1}, Color::white());
    context.setFillColor(Color::pattern(Image::named("Cal.bundle/cal_header_text_fill.png")));
    context.drawText(title_, title.origin, titleFont());
    context.restore();

    context.save();
    context.setShadow(Size{0, 1}, Color::white());
    context.setFillColor(Color::white(0.3));
    for (std::size_t index = 0; index < weekdayNames_.size(); ++index) {
        Rect cell(index * CalTileView::width, weekdayTop, CalTileView::width, weekdayHeight);
        context.drawText(weekdayNames_[index], cell, weekdayFont(), LineBreakMode::Clip,
                         TextAlignment::Center, 1);
    }
    context.restore();
}

} // namespace florelle
