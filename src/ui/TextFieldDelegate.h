// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextRange.h"

#include <string_view>

namespace florelle {

class TextField;

// Asked before a text field changes and told when its editing begins and
// ends; every call has a default that allows and does nothing.
class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField&) { return true; }
    virtual void textFieldDidBeginEditing(TextField&) {}
    // The range of the current text would be replaced by the replacement.
    virtual bool shouldChangeCharacters(TextField&, TextRange, std::string_view) { return true; }
    // The return key was typed.
    virtual bool textFieldShouldReturn(TextField&) { return true; }
    virtual void textFieldDidEndEditing(TextField&) {}
};

} // namespace florelle
