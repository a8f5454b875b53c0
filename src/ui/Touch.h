// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "geometry/Geometry.h"

#include <memory>

namespace florelle {

class View;

enum class TouchPhase { began, moved, stationary, ended, cancelled };

// One finger on the screen, from touch-down to lift-off. The host makes one
// Touch per finger and updates it for every phase; the window fills in the
// view the touch began on, which then receives every phase of it.
class Touch {
public:
    Touch(Point locationInWindow, Date timestamp, int tapCount = 1);

    TouchPhase phase() const { return phase_; }
    Date timestamp() const { return timestamp_; }
    int tapCount() const { return tapCount_; }
    Point locationInWindow() const { return location_; }
    Point previousLocationInWindow() const { return previous_; }
    // The location in the coordinates of the view; of the window for nullptr.
    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;

    // The view hit at touch-down; empty when the touch goes to no view.
    const std::shared_ptr<View>& view() const { return view_; }
    void setView(std::shared_ptr<View> view) { view_ = std::move(view); }

    // For the host: the next phase of this finger.
    void update(TouchPhase phase, Point locationInWindow, Date timestamp);

private:
    TouchPhase phase_ = TouchPhase::began;
    Point location_;
    Point previous_;
    Date timestamp_;
    int tapCount_;
    std::shared_ptr<View> view_;
};

} // namespace florelle
