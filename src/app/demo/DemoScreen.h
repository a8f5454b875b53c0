// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <memory>

namespace florelle {

class Button;
class Label;
class TypingLabel;

// The screen the application shows until its main screen exists: a title,
// a picture, a box that the "Animate" button sends across the screen (moving,
// turning and fading), a count of finished animations, a line that shows what
// is typed, and a row of swatches (plain, translucent, turned, clipped).
class DemoScreen : public View {
public:
    explicit DemoScreen(const Rect& frame);

    // Builds the subviews; call once the screen is held by a shared_ptr.
    void build();

    Button& animateButton() { return *button_; }
    TypingLabel& typingLabel() { return *typing_; }
    int finishedAnimations() const { return finished_; }

private:
    void animateBox();

    std::shared_ptr<View> box_;
    std::shared_ptr<Button> button_;
    std::shared_ptr<Label> count_;
    std::shared_ptr<TypingLabel> typing_;
    bool boxMoved_ = false;
    int finished_ = 0;
};

} // namespace florelle
