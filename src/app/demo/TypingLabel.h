// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Label.h"

#include <string>

namespace florelle {

// A label that takes keyboard text as first responder: typed text is added
// to its end, delete takes off the last character. Empty, it shows its
// placeholder.
class TypingLabel : public Label {
public:
    TypingLabel(const Rect& frame, std::string placeholder);

    const std::string& typed() const { return typed_; }

    bool canBecomeFirstResponder() const override { return true; }
    void insertText(std::string_view text) override;
    void deleteBackward() override;

private:
    void show();

    std::string placeholder_;
    std::string typed_;
};

} // namespace florelle
