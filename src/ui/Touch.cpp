// SPDX-License-Identifier: GPL-3.0-or-later
#include "Touch.h"

#include "View.h"

namespace florelle {

Touch::Touch(Point locationInWindow, Date timestamp, int tapCount)
    : location_(locationInWindow), previous_(locationInWindow), timestamp_(timestamp),
      tapCount_(tapCount) {}

Point Touch::locationInView(const View* view) const {
    return view ? view->convertPointFromWindow(location_) : location_;
}

Point Touch::previousLocationInView(const View* view) const {
    return view ? view->convertPointFromWindow(previous_) : previous_;
}

void Touch::update(TouchPhase phase, Point locationInWindow, Date timestamp) {
    phase_ = phase;
    previous_ = location_;
    location_ = locationInWindow;
    timestamp_ = timestamp;
}

} // namespace florelle
