// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <memory>

namespace florelle {

class Label;
class TextField;

// One page of the passcode panel, 320 × 240: a title across the top, the
// pad picture, four digit boxes and a summary line for messages. Its tag
// names it; the boxes are tagged page + 1 … page + 4, the title 10 and the
// summary 11. The boxes only show digits: they take no touches, so the
// panel's hidden field keeps the keyboard.
class PasscodePage : public View {
public:
    static constexpr int digits = 4;
    static constexpr int titleTag = 10;
    static constexpr int summaryTag = 11;

    explicit PasscodePage(int tag);

    const std::shared_ptr<Label>& titleLabel() const { return title_; }
    const std::shared_ptr<Label>& summaryLabel() const { return summary_; }
    // Box 1 … 4; empty for any other number.
    std::shared_ptr<TextField> box(int number) const;
    // Empties the four boxes.
    void clear();

private:
    std::shared_ptr<Label> title_;
    std::shared_ptr<Label> summary_;
    std::shared_ptr<TextField> boxes_[digits];
};

} // namespace florelle
