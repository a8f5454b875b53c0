// SPDX-License-Identifier: GPL-3.0-or-later
#include "Control.h"

namespace florelle {

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (!enabled_ && tracking_) {
        finishTracking();
    }
    stateDidChange();
}

void Control::setSelected(bool selected) {
    if (selected == selected_) {
        return;
    }
    selected_ = selected;
    stateDidChange();
}

void Control::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) {
        return;
    }
    highlighted_ = highlighted;
    stateDidChange();
}

unsigned Control::state() const {
    unsigned result = controlStateNormal;
    if (highlighted_) {
        result |= controlStateHighlighted;
    }
    if (!enabled_) {
        result |= controlStateDisabled;
    }
    if (selected_) {
        result |= controlStateSelected;
    }
    return result;
}

void Control::sendActionsForControlEvent(ControlEvent event) {
    const std::function<void()>* action = nullptr;
    switch (event) {
    case ControlEvent::touchDown:
        action = &onTouchDown;
        break;
    case ControlEvent::touchDragInside:
        action = &onTouchDragInside;
        break;
    case ControlEvent::touchDragOutside:
        action = &onTouchDragOutside;
        break;
    case ControlEvent::touchDragEnter:
        action = &onTouchDragEnter;
        break;
    case ControlEvent::touchDragExit:
        action = &onTouchDragExit;
        break;
    case ControlEvent::touchUpInside:
        action = &onTouchUpInside;
        break;
    case ControlEvent::touchUpOutside:
        action = &onTouchUpOutside;
        break;
    case ControlEvent::touchCancel:
        action = &onTouchCancel;
        break;
    case ControlEvent::valueChanged:
        action = &onValueChanged;
        break;
    }
    // A copy: the action may replace itself or destroy the control.
    if (auto call = *action) {
        call();
    }
}

bool Control::isInsideTrackingArea(Point point) const {
    return bounds().insetBy(-trackingMargin, -trackingMargin).contains(point);
}

void Control::finishTracking() {
    tracking_ = false;
    touchInside_ = false;
    trackedTouch_.reset();
    setHighlighted(false);
}

void Control::touchesBegan(const Touches& touches, const Event& event) {
    if (!enabled_ || tracking_ || touches.empty()) {
        View::touchesBegan(touches, event);
        return;
    }
    auto keepAlive = shared_from_this();
    trackedTouch_ = touches.front();
    tracking_ = beginTracking(*trackedTouch_);
    if (!tracking_) {
        trackedTouch_.reset();
        return;
    }
    touchInside_ = true;
    setHighlighted(true);
    sendActionsForControlEvent(ControlEvent::touchDown);
}

void Control::touchesMoved(const Touches& touches, const Event& event) {
    if (!tracking_) {
        View::touchesMoved(touches, event);
        return;
    }
    auto keepAlive = shared_from_this();
    bool wasInside = touchInside_;
    touchInside_ = isInsideTrackingArea(trackedTouch_->locationInView(this));
    setHighlighted(touchInside_);
    if (touchInside_ != wasInside) {
        sendActionsForControlEvent(touchInside_ ? ControlEvent::touchDragEnter
                                                : ControlEvent::touchDragExit);
    }
    if (!tracking_) {
        return;
    }
    sendActionsForControlEvent(touchInside_ ? ControlEvent::touchDragInside
                                            : ControlEvent::touchDragOutside);
    if (tracking_ && !continueTracking(*trackedTouch_)) {
        endTracking(*trackedTouch_);
        finishTracking();
    }
}

void Control::touchesEnded(const Touches& touches, const Event& event) {
    if (!tracking_) {
        View::touchesEnded(touches, event);
        return;
    }
    auto keepAlive = shared_from_this();
    auto touch = trackedTouch_;
    bool inside = isInsideTrackingArea(touch->locationInView(this));
    endTracking(*touch);
    finishTracking();
    sendActionsForControlEvent(inside ? ControlEvent::touchUpInside : ControlEvent::touchUpOutside);
}

void Control::touchesCancelled(const Touches& touches, const Event& event) {
    if (!tracking_) {
        View::touchesCancelled(touches, event);
        return;
    }
    auto keepAlive = shared_from_this();
    auto touch = trackedTouch_;
    endTracking(*touch);
    finishTracking();
    sendActionsForControlEvent(ControlEvent::touchCancel);
}

} // namespace florelle
