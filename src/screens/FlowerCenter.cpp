// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlowerCenter.h"

#include "DisplayText.h"
#include "PetalTable.h"
#include "SkinColors.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace florelle {

namespace {

const Rect discFrame{80, 95, 140, 140};
const Rect numberFrame{80, 110, 140, 60};
const Rect captionFrame{87, 175, 126, 54};

std::shared_ptr<Label> centredLabel(const Rect& frame, const Font& font) {
    auto label = std::make_shared<Label>(frame);
    label->setFont(font);
    label->setTextColor(Color::black());
    label->setTextAlignment(TextAlignment::Center);
    return label;
}

} // namespace

FlowerCenter::FlowerCenter(View& flower) {
    disc_ = std::make_shared<ImageView>(discFrame);
    flower.addSubview(disc_);
    shadow_ = std::make_shared<ImageView>(discFrame);
    shadow_->setImage(Image::named("center_shadow.png"));
    shadow_->setHidden(true);
    flower.addSubview(shadow_);
    number_ = centredLabel(numberFrame, Font::boldSystemFont(48));
    flower.addSubview(number_);
    caption_ = centredLabel(captionFrame, Font::systemFont(22));
    flower.addSubview(caption_);
}

void FlowerCenter::setSkin(int skin) {
    skin_ = skin;
    SkinColors colors = SkinColors::forSkin(skin);
    number_->setTextColor(colors.centerLabel);
    caption_->setTextColor(colors.centerLabel);
}

void FlowerCenter::show(const TodayDisplay& display) {
    if (display.centerPicture) {
        disc_->setImage(Image::named(PetalTable::picture(display.centerPicture->c_str(), skin_)));
    }
    number_->setText(displayText(display.numberText));
    if (display.numberFont) {
        number_->setFont(displayFont(*display.numberFont));
    }
    caption_->setText(displayText(display.captionText));
    caption_->setFont(displayFont(display.captionFont));
    if (display.captionOrigin) {
        caption_->setFrame(
            Rect({display.captionOrigin->x, display.captionOrigin->y}, caption_->frame().size));
    }
}

void FlowerCenter::showUnreadable() {
    number_->setText("–");
    caption_->setText("");
}

void FlowerCenter::setHeld(bool held) {
    shadow_->setHidden(!held);
}

} // namespace florelle
