// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusyVeil.h"

#include "foundation/Strings.h"
#include "ui/ActivityIndicator.h"
#include "ui/Label.h"

namespace florelle {

BusyVeil::BusyVeil(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::black());
    setAlpha(0);
    indicator_ = std::make_shared<ActivityIndicator>(ActivityIndicator::Style::whiteLarge);
    indicator_->setCenter({160, 200});
    addSubview(indicator_);
    caption_ = std::make_shared<Label>(Rect(20, 230, 280, 44));
    caption_->setFont(Font::boldSystemFont(15));
    caption_->setTextColor(Color::white());
    caption_->setTextAlignment(TextAlignment::Center);
    caption_->setNumberOfLines(2);
    caption_->setLineBreakMode(LineBreakMode::WordWrap);
    caption_->setText(Strings::localized("Generating data, please wait Key"));
    addSubview(caption_);
}

void BusyVeil::fadeTo(double alpha, bool withIndicator) {
    if (withIndicator) {
        indicator_->startAnimating();
    } else {
        indicator_->stopAnimating();
    }
    caption_->setHidden(!withIndicator);
    View::animate(fadeSeconds, [this, alpha] { setAlpha(alpha); });
}

} // namespace florelle
