// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Touch.h"

namespace florelle {

// A view that may take over a touch that began on one of its subviews, as a
// scroll view takes a drag that began on a button inside it. The window asks
// the touched view's ancestors, innermost first, on every move of the touch;
// the first that takes it over receives the rest of the touch's phases, and
// the view that had it hears touchesCancelled.
class TouchInterceptor {
public:
    virtual ~TouchInterceptor() = default;
    // A touch began on a subview (at any depth).
    virtual void touchBeganWithin(const Touch& touch) = 0;
    // Whether to take the moving touch over now.
    virtual bool shouldTakeOverTouch(const Touch& touch) = 0;
};

} // namespace florelle
