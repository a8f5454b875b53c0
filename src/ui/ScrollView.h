// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScrollViewDelegate.h"
#include "TouchInterceptor.h"
#include "View.h"
#include "foundation/Timer.h"

#include <memory>
#include <vector>

namespace florelle {

class ScrollIndicator;

// A view that shows a part of a larger content and moves it under the
// finger. The content offset is the bounds' origin, so subviews placed in
// content coordinates scroll with it.
//
// A drag starts once the finger moved more than dragThreshold points along
// a direction the content can scroll in; this holds for drags that begin on
// a button inside, which then hears touchesCancelled, and for drags across a
// scroll view inside that cannot scroll that way (a list in a page strip). On lift-off the
// content glides on and slows down; a drag past an edge stretches at half
// speed when bouncing is on and springs back on release.
class ScrollView : public View, public TouchInterceptor {
public:
    static constexpr double dragThreshold = 8;
    // How fast a glide slows: the speed falls by this factor every millisecond.
    static constexpr double decelerationRate = 0.998;
    static constexpr double animationDuration = 0.3;

    explicit ScrollView(const Rect& frame);
    ~ScrollView() override;

    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size);
    Point contentOffset() const { return bounds().origin; }
    // Animated, the offset moves there over animationDuration; a drag stops it.
    void setContentOffset(Point offset, bool animated = false);
    // Scrolls the least needed to show the rectangle (in content coordinates).
    void scrollRectToVisible(const Rect& rect, bool animated);
    // The largest offset that still shows content at the far edges.
    Point maximumContentOffset() const;

    // A mouse wheel or touchpad turned by `delta` points: the content moves
    // that far, within its edges, at once. Returns whether it moved, so a
    // host can offer the wheel to an outer scroll view otherwise.
    bool scrollWheel(Point delta);
    // The innermost scroll view at or above the view, for a host's wheel.
    static ScrollView* enclosing(View* view);

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool shows);
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool shows);
    // Shows the indicators for a moment, to say there is more to see.
    void flashScrollIndicators();
    // Whether an indicator is on show (fading counts as on show).
    bool isShowingScrollIndicators() const;

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return motion_ == Motion::decelerating; }
    // Whether the finger that is down (or was last down) began a drag.
    bool didDragCurrentTouch() const { return dragged_; }

    std::weak_ptr<ScrollViewDelegate> delegate;

    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesMoved(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void touchesCancelled(const Touches& touches, const Event& event) override;
    void touchBeganWithin(const Touch& touch) override;
    bool shouldTakeOverTouch(const Touch& touch) override;

protected:
    // Called whenever the content offset changed.
    virtual void contentOffsetDidChange() {}
    // Where a glide that would end at `projected` comes to rest instead; a
    // wheel snaps it to a row. The default keeps it.
    virtual Point snapTarget(Point projected) const { return projected; }
    // The content came to rest after a drag, a glide or an animation.
    virtual void scrollingDidSettle() {}

private:
    enum class Motion { none, decelerating, animating };
    struct Sample {
        Date time;
        Point location;
    };

    void startTracking(const Touch& touch);
    bool canScroll(Point translation) const;
    void dragTo(Point location);
    void applyOffset(Point offset);
    Point clamped(Point offset) const;
    void finishDrag(Point velocity);
    void restWhereAllowed();
    void startDeceleration(Point velocity, Point target);
    void animateTo(Point target, double duration);
    void stopMotion();
    void step();
    Point velocity() const;
    void layoutIndicators();
    void showIndicators();
    void hideIndicatorsLater(double delay);

    Size contentSize_;
    bool scrollEnabled_ = true;
    bool bounces_ = true;
    bool showsVertical_ = true;
    bool showsHorizontal_ = true;
    bool dragging_ = false;
    bool dragged_ = false;
    std::shared_ptr<Touch> touch_;
    Point dragStart_;
    Point offsetAtStart_;
    std::vector<Sample> samples_;

    Motion motion_ = Motion::none;
    Timer timer_;
    Date motionStart_;
    Point motionFrom_;
    Point motionVelocity_;
    Point motionTo_;
    double motionDuration_ = 0;

    std::shared_ptr<ScrollIndicator> vertical_;
    std::shared_ptr<ScrollIndicator> horizontal_;
};

} // namespace florelle
