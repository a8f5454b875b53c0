// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "View.h"
#include "foundation/Timer.h"

namespace florelle {

// The spinning wheel of twelve spokes that says "busy". It turns one spoke
// every twelfth of a second while animating; by default it hides itself
// while stopped.
class ActivityIndicator : public View {
public:
    enum class Style { whiteLarge, white, gray };
    static constexpr int spokes = 12;
    static constexpr double stepInterval = 1.0 / spokes;

    explicit ActivityIndicator(Style style = Style::white);

    Style style() const { return style_; }
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return timer_.isValid(); }
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);
    // The spoke drawn brightest, 0…spokes − 1.
    int step() const { return step_; }

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    Style style_;
    bool hidesWhenStopped_ = true;
    int step_ = 0;
    Timer timer_;
};

} // namespace florelle
