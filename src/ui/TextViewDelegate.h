// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextRange.h"

#include <string_view>

namespace florelle {

class TextView;

// Asked before a text view changes and told when editing begins, changes
// and ends; every call has a default that allows and does nothing.
class TextViewDelegate {
public:
    virtual ~TextViewDelegate() = default;
    virtual bool textViewShouldBeginEditing(TextView&) { return true; }
    virtual void textViewDidBeginEditing(TextView&) {}
    virtual bool shouldChangeText(TextView&, TextRange, std::string_view) { return true; }
    virtual void textViewDidChange(TextView&) {}
    virtual void textViewDidEndEditing(TextView&) {}
};

} // namespace florelle
