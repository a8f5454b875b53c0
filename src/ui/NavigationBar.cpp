// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigationBar.h"

#include "graphics/Font.h"
#include "graphics/Gradient.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double buttonHeight = 30;
constexpr double buttonMargin = 5;
constexpr double buttonPadding = 10;
constexpr double buttonFontSize = 12;

} // namespace

NavigationBar::NavigationBar(const Rect& frame) : View(frame) {}

void NavigationBar::setBarStyle(Style style) {
    if (style == style_) {
        return;
    }
    style_ = style;
    setNeedsDisplay();
}

std::shared_ptr<Button> NavigationBar::makeButton(const std::string& title,
                                                  std::function<void()> action, bool leftSide) {
    double width =
        TextLayout(title, Font::boldSystemFont(buttonFontSize)).size().width + 2 * buttonPadding;
    width = std::max(width, 50.0);
    double x = leftSide ? buttonMargin : bounds().width() - buttonMargin - width;
    auto button = std::make_shared<Button>(
        Rect(x, (bounds().height() - buttonHeight) / 2, width, buttonHeight));
    button->setTitle(title);
    button->onTouchUpInside = std::move(action);
    addSubview(button);
    return button;
}

void NavigationBar::showItem(const NavigationItem& item, const NavigationItem* below) {
    for (auto* button : {&left_, &right_}) {
        if (*button) {
            (*button)->removeFromSuperview();
            button->reset();
        }
    }
    title_ = item.title;
    showsBack_ = false;
    auto itemAction = [](const std::shared_ptr<BarButtonItem>& barItem) {
        std::weak_ptr<BarButtonItem> weak = barItem;
        return [weak] {
            if (auto strong = weak.lock(); strong && strong->isEnabled() && strong->action) {
                auto action = strong->action;
                action();
            }
        };
    };
    if (item.leftBarButtonItem) {
        left_ =
            makeButton(item.leftBarButtonItem->title(), itemAction(item.leftBarButtonItem), true);
        left_->setEnabled(item.leftBarButtonItem->isEnabled());
    } else if (below && !item.hidesBackButton) {
        showsBack_ = true;
        left_ = makeButton(
            below->title.empty() ? "Back" : below->title,
            [this] {
                if (auto back = onBack) {
                    back();
                }
            },
            true);
    }
    if (item.rightBarButtonItem) {
        right_ = makeButton(item.rightBarButtonItem->title(), itemAction(item.rightBarButtonItem),
                            false);
        right_->setEnabled(item.rightBarButtonItem->isEnabled());
    }
    setNeedsDisplay();
}

void NavigationBar::draw(GraphicsContext& context, const Rect&) {
    Rect area = bounds();
    Color top = style_ == Style::black ? Color::white(0.25) : Color(0.69, 0.74, 0.80);
    Color bottom = style_ == Style::black ? Color::black() : Color(0.43, 0.52, 0.63);
    // A gradient fills the whole clip: keep it to the bar.
    context.save();
    context.clipToRect(area);
    context.drawLinearGradient(Gradient{{{0, top}, {1, bottom}}}, Point{0, area.minY()},
                               Point{0, area.maxY()}, false);
    context.restore();
    context.setFillColor(Color::white());
    Font font = Font::boldSystemFont(20);
    double side = 0;
    for (const auto& button : {left_, right_}) {
        if (button) {
            side = std::max(side, button->frame().width() + buttonMargin * 2);
        }
    }
    Rect titleArea(side, (area.height() - 24) / 2, area.width() - 2 * side, 24);
    context.drawText(title_, titleArea, font, LineBreakMode::TruncateTail, TextAlignment::Center,
                     1);
}

} // namespace florelle
