// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Button.h"

#include <functional>
#include <vector>

namespace florelle {

// A page's help: paragraphs on a dark card parked over the page, faded in on
// demand and out again at a tap anywhere on it.
class PageHelpOverlay : public Button {
public:
    static constexpr double fadeDuration = 0.5;

    // The paragraphs' keys, top to bottom, each paragraph `paragraphHeight`
    // high.
    PageHelpOverlay(const std::vector<const char*>& keys, double paragraphHeight);

    // Over whatever else its page shows.
    void show();
    // Fades out if it is on show, then tells onDismissed.
    void dismiss();
    bool isShowing() const { return showing_; }

    std::function<void()> onDismissed;

private:
    bool showing_ = false;
};

} // namespace florelle
