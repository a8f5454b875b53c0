// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodePage.h"

#include "graphics/Image.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TextField.h"

namespace florelle {

namespace {

constexpr double boxLeft[PasscodePage::digits] = {25, 95, 165, 235};

} // namespace

PasscodePage::PasscodePage(int tag) : View(Rect(-tag, 0, 320, 240)) {
    setTag(tag);

    title_ = std::make_shared<Label>(Rect(0, 0, 320, 25));
    title_->setTag(titleTag);
    title_->setFont(Font::boldSystemFont(15));
    title_->setTextAlignment(TextAlignment::Center);
    title_->setTextColor(Color::white());
    title_->setBackgroundColor(Color(0, 0, 0, 0.5));
    addSubview(title_);

    auto pad = std::make_shared<ImageView>(Rect(0, 94, 320, 106));
    pad->setImage(Image::named("bg_pass.png"));
    addSubview(pad);

    for (int index = 0; index < digits; ++index) {
        auto box = std::make_shared<TextField>(Rect(boxLeft[index], 117, 60, 60));
        box->setTag(tag + index + 1);
        box->setBorderStyle(TextField::BorderStyle::roundedRect);
        box->setTextColor(Color::black());
        box->setTextAlignment(TextAlignment::Center);
        box->setFont(Font::systemFont(41));
        box->setSecureTextEntry(true);
        box->setKeyboardType(KeyboardType::numberPad);
        box->setUserInteractionEnabled(false);
        boxes_[index] = box;
        addSubview(box);
    }

    summary_ = std::make_shared<Label>(Rect(25, 170, 270, 40));
    summary_->setTag(summaryTag);
    summary_->setFont(Font::systemFont(12));
    summary_->setNumberOfLines(0);
    summary_->setTextAlignment(TextAlignment::Center);
    summary_->setTextColor(Color::white());
    summary_->setShadowColor(Color::black());
    summary_->setShadowOffset(Size{-1, -1});
    addSubview(summary_);
}

std::shared_ptr<TextField> PasscodePage::box(int number) const {
    if (number < 1 || number > digits) {
        return nullptr;
    }
    return boxes_[number - 1];
}

void PasscodePage::clear() {
    for (const auto& box : boxes_) {
        box->setText("");
    }
}

} // namespace florelle
