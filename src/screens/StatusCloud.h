// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Timer.h"
#include "ui/View.h"

#include <memory>
#include <string>

namespace florelle {

class ImageView;
class Label;

// The cloud at the top of the main screen with today's status in it. It
// drifts from its home to beyond the left edge, comes back in from the right
// and keeps drifting for as long as the screen lives.
class StatusCloud : public View {
public:
    static constexpr double driftSeconds = 25;
    static Rect home() { return {50, -20, 265, 112}; }

    StatusCloud();

    // The status text; a wide one wraps to two lines.
    void setStatusText(const std::string& text);
    // The skin's cloud picture and text colour.
    void setSkin(int skin);
    // Back home, and drifting again from there.
    void restartDrift();
    // Once off the left edge, the cloud comes back in from the right.
    void driftInAgain();

    Label& statusLabel() const { return *statusLabel_; }
    ImageView& picture() const { return *picture_; }

private:
    void drift();

    std::shared_ptr<ImageView> picture_;
    std::shared_ptr<Label> statusLabel_;
    Timer driftTimer_;
};

} // namespace florelle
