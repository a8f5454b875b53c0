// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalHeaderView.h"

#include "CalAdditions.h"
#include "CalDateFormatter.h"
#include "CalTileView.h"
#include "ui/ImageView.h"

#include <cmath>

namespace florelle {

namespace {

constexpr double arrowTop = 3;
constexpr double arrowHeight = 30;
constexpr double weekdayTop = 30;
constexpr double weekdayHeight = 15;

} // namespace

CalHeaderView::CalHeaderView(double width)
    : View(Rect(0, 0, width, height)), titleLabel_(std::make_shared<Label>()) {
    setBackgroundColor(Color::gray());
    auto backdrop = std::make_shared<ImageView>(Image::named("Cal.bundle/cal_grid_background.png"));
    backdrop->setFrame(bounds());
    addSubview(backdrop);

    leftArrow_ = makeArrow(0, "Cal.bundle/cal_left_arrow.png");
    rightArrow_ = makeArrow(width - CalTileView::width, "Cal.bundle/cal_right_arrow.png");

    titleLabel_->setFrame(Rect(0, arrowTop, 0, 0));
    titleLabel_->setFont(Font::boldSystemFont(22));
    titleLabel_->setTextAlignment(TextAlignment::Center);
    titleLabel_->setTextColor(Color::pattern(Image::named("Cal.bundle/cal_header_text_fill.png")));
    titleLabel_->setShadowColor(Color::white());
    titleLabel_->setShadowOffset(Size{0, 1});
    titleLabel_->setBackgroundColor(Color::clear());
    addSubview(titleLabel_);

    const Calendar& calendar = CalAdditions::currentCalendar();
    auto names = CalDateFormatter::shortWeekdaySymbols(calendar.locale());
    int first = calendar.firstWeekday();
    for (double x = 0; x < width; x += CalTileView::width) {
        auto label =
            std::make_shared<Label>(Rect(x, weekdayTop, CalTileView::width, weekdayHeight));
        label->setText(names.at((first - 1 + weekdayLabels_.size()) % 7));
        label->setFont(Font::boldSystemFont(10));
        label->setTextAlignment(TextAlignment::Center);
        label->setTextColor(Color::white(0.3));
        label->setShadowColor(Color::white());
        label->setShadowOffset(Size{0, 1});
        label->setBackgroundColor(Color::clear());
        addSubview(label);
        weekdayLabels_.push_back(label);
    }
}

std::shared_ptr<Button> CalHeaderView::makeArrow(double x, const char* imageName) {
    auto arrow = std::make_shared<Button>(Rect(x, arrowTop, CalTileView::width, arrowHeight));
    arrow->setImage(Image::named(imageName));
    addSubview(arrow);
    return arrow;
}

void CalHeaderView::setTitle(const std::string& title) {
    titleLabel_->setText(title);
    titleLabel_->sizeToFit();
    Rect frame = titleLabel_->frame();
    frame.origin.x = std::floor(bounds().width() / 2 - frame.width() / 2);
    titleLabel_->setFrame(frame);
}

} // namespace florelle
