// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <functional>

namespace florelle {

// A view that hands the touches it receives (its own and those its subviews
// pass on) to its owner, with the location in its own coordinates.
class TouchForwardingView : public View {
public:
    using View::View;

    std::function<void(Point)> onTouchBegan;
    std::function<void(Point)> onTouchMoved;
    std::function<void(Point)> onTouchEnded;
    std::function<void()> onTouchCancelled;

    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesMoved(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void touchesCancelled(const Touches& touches, const Event& event) override;
};

} // namespace florelle
