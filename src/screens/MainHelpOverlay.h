// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TouchForwardingView.h"
#include "foundation/Timer.h"

#include <array>
#include <memory>

namespace florelle {

class Label;

// The main screen's help: three paragraphs on a dark pane that fades in over
// the screen and out again at a tap anywhere on it.
class MainHelpOverlay : public TouchForwardingView {
public:
    static constexpr double fadeSeconds = 0.5;

    MainHelpOverlay();

    void show();
    void dismiss();
    // From the moment it is asked up until it has faded out: the panel
    // ignores drags meanwhile.
    bool isShowing() const { return showing_; }

private:
    std::array<std::shared_ptr<Label>, 3> paragraphs_;
    Timer fadedOut_;
    bool showing_ = false;
};

} // namespace florelle
