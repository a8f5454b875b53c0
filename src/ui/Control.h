// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "View.h"

#include <functional>

namespace florelle {

// The events a control reports.
enum class ControlEvent {
    touchDown,
    touchDragInside,
    touchDragOutside,
    touchDragEnter,
    touchDragExit,
    touchUpInside,
    touchUpOutside,
    touchCancel,
    valueChanged,
};

// The state bits of a control; normal is none of them.
enum ControlState : unsigned {
    controlStateNormal = 0,
    controlStateHighlighted = 1u << 0,
    controlStateDisabled = 1u << 1,
    controlStateSelected = 1u << 2,
};

// A view that tracks one touch from touch-down to lift-off and reports what
// happened through its event members. While tracking it is highlighted as
// long as the finger is inside: within the bounds grown by trackingMargin on
// every side, so a small slip off the edge still counts. A disabled control
// tracks nothing; its touches go on along the responder chain.
class Control : public View {
public:
    static constexpr double trackingMargin = 70;

    using View::View;

    std::function<void()> onTouchDown;
    std::function<void()> onTouchDragInside;
    std::function<void()> onTouchDragOutside;
    std::function<void()> onTouchDragEnter;
    std::function<void()> onTouchDragExit;
    std::function<void()> onTouchUpInside;
    std::function<void()> onTouchUpOutside;
    std::function<void()> onTouchCancel;
    std::function<void()> onValueChanged;

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    unsigned state() const;

    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }

    // Calls the member for the event, if set.
    void sendActionsForControlEvent(ControlEvent event);

    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesMoved(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void touchesCancelled(const Touches& touches, const Event& event) override;

protected:
    // Hooks for subclasses around the tracking of the touch; returning false
    // from begin or continue stops the tracking.
    virtual bool beginTracking(const Touch&) { return true; }
    virtual bool continueTracking(const Touch&) { return true; }
    virtual void endTracking(const Touch&) {}
    // Called whenever enabled, selected or highlighted changed.
    virtual void stateDidChange() { setNeedsDisplay(); }

private:
    bool isInsideTrackingArea(Point point) const;
    void finishTracking();

    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
    std::shared_ptr<Touch> trackedTouch_;
};

} // namespace florelle
