// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstUseHint.h"

#include "foundation/Strings.h"
#include "ui/Label.h"

namespace florelle {

namespace {

constexpr double downY = 7;
constexpr double hintTravel = 107;
constexpr double titleTravel = 50;
constexpr double swapSeconds = 1.0;
constexpr double parkSeconds = 0.2;
const Point titleHome{100, -8};

} // namespace

FirstUseHint::FirstUseHint(View& screen, std::shared_ptr<Label> title) : title_(std::move(title)) {
    hint_ = std::make_shared<Label>(parked());
    hint_->setFont(Font::boldSystemFont(17));
    hint_->setTextColor(Color::white());
    hint_->setTextAlignment(TextAlignment::Center);
    hint_->setText(Strings::localized("Tap here to close Key"));
    screen.addSubview(hint_);
}

void FirstUseHint::reveal() {
    hint_->setAlpha(1);
}

void FirstUseHint::swap(int direction) {
    double y = hint_->frame().minY();
    if (!((direction == -1 && y == parked().minY()) || (direction == 1 && y == downY))) {
        return;
    }
    hint_->setAlpha(1);
    View::animate(swapSeconds, [this, direction] {
        title_->setFrame(title_->frame().offsetBy(0, titleTravel * direction));
        hint_->setFrame(hint_->frame().offsetBy(0, -hintTravel * direction));
    });
}

void FirstUseHint::swapBackLater() {
    swapBack_ = Timer(showSeconds, false, [this] { swap(1); });
}

void FirstUseHint::park(Size titleSize) {
    swapBack_.invalidate();
    View::animate(parkSeconds, [this, titleSize] {
        hint_->setAlpha(0);
        hint_->setFrame(parked());
        title_->setFrame(Rect(titleHome.x, titleHome.y, titleSize.width, titleSize.height));
        title_->setTextAlignment(TextAlignment::Center);
    });
}

} // namespace florelle
