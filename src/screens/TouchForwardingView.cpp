// SPDX-License-Identifier: GPL-3.0-or-later
#include "TouchForwardingView.h"

#include "ui/Touch.h"

namespace florelle {

namespace {

void forward(const std::function<void(Point)>& handler, const Touches& touches, const View* view) {
    if (handler && !touches.empty()) {
        handler(touches.front()->locationInView(view));
    }
}

} // namespace

void TouchForwardingView::touchesBegan(const Touches& touches, const Event&) {
    forward(onTouchBegan, touches, this);
}

void TouchForwardingView::touchesMoved(const Touches& touches, const Event&) {
    forward(onTouchMoved, touches, this);
}

void TouchForwardingView::touchesEnded(const Touches& touches, const Event&) {
    forward(onTouchEnded, touches, this);
}

void TouchForwardingView::touchesCancelled(const Touches&, const Event&) {
    if (onTouchCancelled) {
        onTouchCancelled();
    }
}

} // namespace florelle
