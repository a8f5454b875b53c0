// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <functional>
#include <memory>
#include <string>

namespace florelle {

class Button;
class Label;

// What the forum page shows in place of the forum when a load failed: the
// reason in a sentence and a button to try again. White, like the page it
// stands in for.
class ForumFailureView : public View {
public:
    explicit ForumFailureView(const Rect& frame);

    void setMessage(const std::string& message);
    const std::string& message() const;

    Label& messageLabel() const { return *messageLabel_; }
    Button& tryAgainButton() const { return *tryAgainButton_; }

    // The button was pressed.
    std::function<void()> onTryAgain;

private:
    std::shared_ptr<Label> messageLabel_;
    std::shared_ptr<Button> tryAgainButton_;
};

} // namespace florelle
