// SPDX-License-Identifier: GPL-3.0-or-later
#include "WelcomeController.h"

#include "foundation/Strings.h"
#include "ui/TextView.h"

namespace florelle {

void WelcomeController::viewDidLoad() {
    view()->setBackgroundColor(Color::clear());
    txtView_ = std::make_shared<TextView>(Rect(20, 20, 280, 330));
    txtView_->setEditable(false);
    txtView_->setBackgroundColor(Color(1, 1, 1, 0.85));
    txtView_->setFont(Font::systemFont(fontSize));
    txtView_->setText(Strings::localized("Welcome text Key"));
    view()->addSubview(txtView_);
}

} // namespace florelle
