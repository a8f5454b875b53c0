// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextInputSwitch.h"

#include "ui/Application.h"
#include "ui/TextInput.h"
#include "ui/View.h"

namespace florelle {

void TextInputSwitch::follow(const Application& application) {
    bool editing = dynamic_cast<TextInput*>(application.firstResponder().get()) != nullptr;
    if (on_ == editing) {
        return;
    }
    on_ = editing;
    turn_(editing);
}

} // namespace florelle
