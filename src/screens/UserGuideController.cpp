// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserGuideController.h"

#include "foundation/Strings.h"
#include "ui/TextView.h"

namespace florelle {

void UserGuideController::viewDidLoad() {
    textView_ = std::make_shared<TextView>(view()->bounds());
    textView_->setEditable(false);
    textView_->setBackgroundColor(Color::white());
    textView_->setFont(Font::systemFont(fontSize));
    textView_->setText(Strings::localized("User guide Key"));
    view()->addSubview(textView_);
}

} // namespace florelle
