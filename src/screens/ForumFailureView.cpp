// SPDX-License-Identifier: GPL-3.0-or-later
#include "ForumFailureView.h"

#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "ui/Button.h"
#include "ui/Label.h"

namespace florelle {

namespace {

constexpr double sideMargin = 24;
constexpr double messageHeight = 120;
constexpr double buttonWidth = 160;
constexpr double buttonHeight = 40;
constexpr double buttonGap = 16;
// The button picture's rounded ends stay unstretched.
constexpr double buttonCap = 12;

} // namespace

ForumFailureView::ForumFailureView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::white());
    double width = frame.width();
    double top = frame.height() / 2 - (messageHeight + buttonGap + buttonHeight) / 2;
    messageLabel_ =
        std::make_shared<Label>(Rect(sideMargin, top, width - 2 * sideMargin, messageHeight));
    messageLabel_->setFont(Font::systemFont(17));
    messageLabel_->setTextColor(Color(0.2, 0.2, 0.2));
    messageLabel_->setTextAlignment(TextAlignment::Center);
    messageLabel_->setNumberOfLines(0);
    messageLabel_->setLineBreakMode(LineBreakMode::WordWrap);
    addSubview(messageLabel_);

    tryAgainButton_ = std::make_shared<Button>(Rect(
        (width - buttonWidth) / 2, top + messageHeight + buttonGap, buttonWidth, buttonHeight));
    tryAgainButton_->setBackgroundImage(
        Image::named("button_0.png").stretchable(buttonCap, buttonHeight / 2));
    tryAgainButton_->setTitle(Strings::localized("Forum try again Key"));
    tryAgainButton_->onTouchUpInside = [this] {
        if (auto tryAgain = onTryAgain) {
            tryAgain();
        }
    };
    addSubview(tryAgainButton_);
}

void ForumFailureView::setMessage(const std::string& message) {
    messageLabel_->setText(message);
}

const std::string& ForumFailureView::message() const {
    return messageLabel_->text();
}

} // namespace florelle
