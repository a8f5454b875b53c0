// SPDX-License-Identifier: GPL-3.0-or-later
#include "PickerWheel.h"

#include "graphics/Font.h"
#include "graphics/Gradient.h"
#include "graphics/GraphicsContext.h"

#include <algorithm>
#include <cmath>

namespace florelle {

PickerWheel::PickerWheel(const Rect& frame, double rowHeight)
    : ScrollView(frame), rowHeight_(rowHeight) {
    setShowsVerticalScrollIndicator(false);
    setShowsHorizontalScrollIndicator(false);
    setBackgroundColor(Color::white());
}

double PickerWheel::middleInset() const {
    return (bounds().height() - rowHeight_) / 2;
}

int PickerWheel::clampedRow(int row) const {
    return std::clamp(row, 0, std::max(0, numberOfRows() - 1));
}

void PickerWheel::setRows(std::vector<std::string> titles,
                          std::vector<std::shared_ptr<View>> views) {
    for (auto& view : views_) {
        if (view) {
            view->removeFromSuperview();
        }
    }
    titles_ = std::move(titles);
    views_ = std::move(views);
    views_.resize(titles_.size());
    double inset = middleInset();
    for (std::size_t row = 0; row < views_.size(); ++row) {
        if (auto& view = views_[row]) {
            Rect frame = view->frame();
            view->setFrame(Rect((bounds().width() - frame.width()) / 2,
                                inset + row * rowHeight_ + (rowHeight_ - frame.height()) / 2,
                                frame.width(), frame.height()));
            addSubview(view);
        }
    }
    setContentSize(
        Size{bounds().width(), std::max(0, numberOfRows() - 1) * rowHeight_ + bounds().height()});
    selected_ = clampedRow(selected_);
    setContentOffset(Point{0, selected_ * rowHeight_});
    setNeedsDisplay();
}

int PickerWheel::rowInMiddle() const {
    return clampedRow(static_cast<int>(std::lround(contentOffset().y / rowHeight_)));
}

void PickerWheel::selectRow(int row, bool animated) {
    selected_ = clampedRow(row);
    setContentOffset(Point{0, selected_ * rowHeight_}, animated);
}

Point PickerWheel::snapTarget(Point projected) const {
    double row = clampedRow(static_cast<int>(std::lround(projected.y / rowHeight_)));
    return Point{projected.x, row * rowHeight_};
}

void PickerWheel::scrollingDidSettle() {
    int row = rowInMiddle();
    if (row == selected_) {
        return;
    }
    selected_ = row;
    if (auto picked = onRowPicked) {
        picked(row);
    }
}

void PickerWheel::touchesBegan(const Touches& touches, const Event& event) {
    stoppedTurning_ = isDecelerating();
    ScrollView::touchesBegan(touches, event);
}

void PickerWheel::touchesEnded(const Touches& touches, const Event& event) {
    // A tap that stops a turning wheel only stops it.
    bool tapped = !didDragCurrentTouch() && !stoppedTurning_;
    ScrollView::touchesEnded(touches, event);
    if (!tapped || numberOfRows() == 0) {
        return;
    }
    double y = touches.front()->locationInView(this).y - middleInset();
    int row = clampedRow(static_cast<int>(std::floor(y / rowHeight_)));
    if (row != rowInMiddle()) {
        setContentOffset(Point{0, row * rowHeight_}, true);
    }
}

void PickerWheel::draw(GraphicsContext& context, const Rect&) {
    Rect visible = bounds();
    double inset = middleInset();
    Font font = Font::boldSystemFont(20);
    int first = clampedRow(static_cast<int>(std::floor((visible.minY() - inset) / rowHeight_)));
    int last = clampedRow(static_cast<int>(std::ceil((visible.maxY() - inset) / rowHeight_)));
    context.setFillColor(Color::black());
    for (int row = first; row <= last && row < numberOfRows(); ++row) {
        if (views_[row]) {
            continue;
        }
        double lineHeight = font.lineHeight();
        Rect area(8, inset + row * rowHeight_ + (rowHeight_ - lineHeight) / 2, visible.width() - 16,
                  lineHeight);
        context.drawText(titles_[row], area, font, LineBreakMode::TruncateTail,
                         TextAlignment::Center, 1);
    }
    // The wheel's curve: rows fade towards the top and bottom edges.
    // A gradient fills the whole clip: keep both to the wheel.
    Color shade = Color::white(0.2, 0.55);
    Color clear = Color::white(0.2, 0);
    context.clipToRect(visible);
    context.drawLinearGradient(Gradient{{{0, shade}, {1, clear}}}, Point{0, visible.minY()},
                               Point{0, visible.minY() + inset}, false);
    context.drawLinearGradient(Gradient{{{0, clear}, {1, shade}}}, Point{0, visible.maxY() - inset},
                               Point{0, visible.maxY()}, false);
}

} // namespace florelle
