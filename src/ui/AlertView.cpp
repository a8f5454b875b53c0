// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlertView.h"

#include "Application.h"
#include "Window.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double padding = 12;
constexpr double buttonHeight = 43;
constexpr double buttonGap = 8;

} // namespace

AlertView::AlertView(std::string title, std::string message,
                     std::weak_ptr<AlertViewDelegate> delegate,
                     const std::string& cancelButtonTitle,
                     const std::vector<std::string>& otherTitles)
    : delegate(std::move(delegate)), title_(std::move(title)), message_(std::move(message)) {
    setBackgroundColor(Color::white(0, 0.4));
    box_ = std::make_shared<View>();
    box_->setBackgroundColor(Color(0.09, 0.16, 0.36, 0.94));
    titleLabel_ = std::make_shared<Label>();
    titleLabel_->setText(title_);
    titleLabel_->setFont(Font::boldSystemFont(18));
    titleLabel_->setTextColor(Color::white());
    titleLabel_->setTextAlignment(TextAlignment::Center);
    titleLabel_->setNumberOfLines(0);
    messageLabel_ = std::make_shared<Label>();
    messageLabel_->setText(message_);
    messageLabel_->setFont(Font::systemFont(16));
    messageLabel_->setTextColor(Color::white());
    messageLabel_->setTextAlignment(TextAlignment::Center);
    messageLabel_->setNumberOfLines(0);
    messageLabel_->setLineBreakMode(LineBreakMode::WordWrap);
    box_->addSubview(titleLabel_);
    box_->addSubview(messageLabel_);
    addSubview(box_);

    std::vector<std::string> titles;
    hasCancel_ = !cancelButtonTitle.empty();
    if (hasCancel_) {
        titles.push_back(cancelButtonTitle);
    }
    titles.insert(titles.end(), otherTitles.begin(), otherTitles.end());
    for (std::size_t index = 0; index < titles.size(); ++index) {
        auto button = std::make_shared<Button>();
        button->setTitle(titles[index]);
        button->setTitleColor(Color::white());
        button->setBackgroundColor(hasCancel_ && index == 0 ? Color(0.20, 0.26, 0.42)
                                                            : Color(0.35, 0.43, 0.64));
        int position = static_cast<int>(index);
        button->onTouchUpInside = [this, position] { buttonTapped(position); };
        box_->addSubview(button);
        buttons_.push_back(std::move(button));
    }
}

std::string AlertView::buttonTitleAtIndex(int index) const {
    auto found = button(index);
    return found ? found->titleForState(controlStateNormal) : std::string();
}

std::shared_ptr<Button> AlertView::button(int index) const {
    if (index < 0 || index >= numberOfButtons()) {
        return nullptr;
    }
    return buttons_[index];
}

void AlertView::layoutBox(const Rect& area) {
    double inner = boxWidth - 2 * padding;
    double y = padding;
    Size titleSize = titleLabel_->sizeThatFits(Size{inner, 0});
    titleLabel_->setFrame(Rect(padding, y, inner, titleSize.height));
    y += titleSize.height + (message_.empty() ? 0 : buttonGap);
    Size messageSize = message_.empty() ? Size{} : messageLabel_->sizeThatFits(Size{inner, 0});
    messageLabel_->setFrame(Rect(padding, y, inner, messageSize.height));
    y += messageSize.height + padding;

    int count = numberOfButtons();
    if (count == 2) {
        double width = (inner - buttonGap) / 2;
        for (int index = 0; index < 2; ++index) {
            buttons_[index]->setFrame(
                Rect(padding + index * (width + buttonGap), y, width, buttonHeight));
        }
        y += buttonHeight + padding;
    } else {
        // The cancel button goes last, below the others.
        for (int index = 0; index < count; ++index) {
            int slot = hasCancel_ ? (index == 0 ? count - 1 : index - 1) : index;
            buttons_[index]->setFrame(
                Rect(padding, y + slot * (buttonHeight + buttonGap), inner, buttonHeight));
        }
        y += count * (buttonHeight + buttonGap) - buttonGap + padding;
    }
    box_->setFrame(Rect(area.midX() - boxWidth / 2, area.midY() - y / 2, boxWidth, y));
}

void AlertView::show() {
    auto* application = Application::sharedApplication();
    auto window = application ? application->keyWindow() : nullptr;
    if (!window || visible_) {
        return;
    }
    visible_ = true;
    setFrame(window->bounds());
    layoutBox(bounds());
    setAlpha(0);
    window->addSubview(shared_from_this());
    View::animate(fadeDuration, [this] { setAlpha(1); });
}

void AlertView::buttonTapped(int index) {
    if (!visible_) {
        return;
    }
    auto keepAlive = shared_from_this();
    if (auto listener = delegate.lock()) {
        listener->clickedButtonAtIndex(*this, index);
    }
    dismissWithClickedButtonIndex(index, true);
}

void AlertView::dismissWithClickedButtonIndex(int index, bool animated) {
    if (!visible_) {
        return;
    }
    visible_ = false;
    // No further taps while it fades.
    setUserInteractionEnabled(false);
    std::weak_ptr<View> weakSelf = weak_from_this();
    View::animate(
        animated ? fadeDuration : 0, 0, AnimationCurve::easeIn, [this] { setAlpha(0); },
        [weakSelf, index](bool) {
            auto self = std::static_pointer_cast<AlertView>(weakSelf.lock());
            if (!self) {
                return;
            }
            auto keepAlive = self;
            self->removeFromSuperview();
            self->setUserInteractionEnabled(true);
            if (auto listener = self->delegate.lock()) {
                listener->didDismissWithButtonIndex(*self, index);
            }
        });
}

} // namespace florelle
