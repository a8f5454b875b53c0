// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollView.h"

#include "ScrollIndicator.h"
#include "foundation/Clock.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

constexpr double frameInterval = 1.0 / 60;
// Samples older than this do not count towards the speed at lift-off.
constexpr double velocityWindow = 0.1;
// A glide ends when less than this distance is left to go.
constexpr double glideEndDistance = 0.5;
constexpr double indicatorFadeDelay = 0.5;

double now() {
    return Clock::current()->now().timeIntervalSince1970();
}

// Speed falls as e^(−k·t) with k from the rate per millisecond.
double decay() {
    return -std::log(ScrollView::decelerationRate) * 1000;
}

} // namespace

ScrollView::ScrollView(const Rect& frame) : View(frame) {
    setClipsToBounds(true);
    vertical_ = std::make_shared<ScrollIndicator>();
    horizontal_ = std::make_shared<ScrollIndicator>();
    addSubview(vertical_);
    addSubview(horizontal_);
}

ScrollView::~ScrollView() = default;

void ScrollView::setContentSize(Size size) {
    if (size == contentSize_) {
        return;
    }
    contentSize_ = size;
    if (!dragging_ && motion_ == Motion::none) {
        Point fitted = clamped(contentOffset());
        if (fitted != contentOffset()) {
            applyOffset(fitted);
            return;
        }
    }
    layoutIndicators();
}

Point ScrollView::maximumContentOffset() const {
    return Point{std::max(0.0, contentSize_.width - bounds().width()),
                 std::max(0.0, contentSize_.height - bounds().height())};
}

Point ScrollView::clamped(Point offset) const {
    Point maximum = maximumContentOffset();
    return Point{std::clamp(offset.x, 0.0, maximum.x), std::clamp(offset.y, 0.0, maximum.y)};
}

void ScrollView::setContentOffset(Point offset, bool animated) {
    stopMotion();
    if (animated && offset != contentOffset()) {
        animateTo(offset, animationDuration);
        return;
    }
    applyOffset(offset);
}

void ScrollView::scrollRectToVisible(const Rect& rect, bool animated) {
    Rect visible = bounds();
    Point target = visible.origin;
    if (rect.maxX() > visible.maxX()) {
        target.x = rect.maxX() - visible.width();
    }
    if (rect.minX() < target.x) {
        target.x = rect.minX();
    }
    if (rect.maxY() > visible.maxY()) {
        target.y = rect.maxY() - visible.height();
    }
    if (rect.minY() < target.y) {
        target.y = rect.minY();
    }
    target = clamped(target);
    if (target != contentOffset()) {
        setContentOffset(target, animated);
    }
}

bool ScrollView::scrollWheel(Point delta) {
    if (!scrollEnabled_ || dragging_) {
        return false;
    }
    stopMotion();
    Point before = contentOffset();
    applyOffset(clamped(Point{before.x + delta.x, before.y + delta.y}));
    if (contentOffset() == before) {
        return false;
    }
    flashScrollIndicators();
    if (clamped(snapTarget(contentOffset())) != contentOffset()) {
        restWhereAllowed();
    } else {
        scrollingDidSettle();
    }
    return true;
}

ScrollView* ScrollView::enclosing(View* view) {
    for (; view; view = view->superview()) {
        if (auto* scroll = dynamic_cast<ScrollView*>(view)) {
            return scroll;
        }
    }
    return nullptr;
}

void ScrollView::applyOffset(Point offset) {
    Rect moved(offset, bounds().size);
    if (moved == bounds()) {
        return;
    }
    setBounds(moved);
    layoutIndicators();
    contentOffsetDidChange();
    if (auto listener = delegate.lock()) {
        listener->scrollViewDidScroll(*this);
    }
}

void ScrollView::setShowsVerticalScrollIndicator(bool shows) {
    showsVertical_ = shows;
    layoutIndicators();
}

void ScrollView::setShowsHorizontalScrollIndicator(bool shows) {
    showsHorizontal_ = shows;
    layoutIndicators();
}

void ScrollView::layoutIndicators() {
    Rect visible = bounds();
    auto place = [&](ScrollIndicator& indicator, bool vertical) {
        double length = vertical ? visible.height() : visible.width();
        double content = vertical ? contentSize_.height : contentSize_.width;
        double offset = vertical ? visible.minY() : visible.minX();
        bool shown = (vertical ? showsVertical_ : showsHorizontal_) && content > length;
        indicator.setHidden(!shown);
        if (!shown) {
            return;
        }
        double track = length - ScrollIndicator::thickness;
        double size = std::max(ScrollIndicator::thickness * 3, track * length / content);
        double progress = std::clamp(offset / (content - length), 0.0, 1.0);
        double position = offset + progress * (track - size);
        if (vertical) {
            indicator.setFrame(Rect(visible.maxX() - ScrollIndicator::thickness, position,
                                    ScrollIndicator::thickness, size));
        } else {
            indicator.setFrame(Rect(position, visible.maxY() - ScrollIndicator::thickness, size,
                                    ScrollIndicator::thickness));
        }
        bringSubviewToFront(&indicator);
    };
    place(*vertical_, true);
    place(*horizontal_, false);
}

void ScrollView::showIndicators() {
    layoutIndicators();
    for (auto* indicator : {vertical_.get(), horizontal_.get()}) {
        indicator->removeAllAnimations();
        indicator->setAlpha(1);
    }
}

void ScrollView::hideIndicatorsLater(double delay) {
    View::animate(0.3, delay, AnimationCurve::easeOut, [&] {
        vertical_->setAlpha(0);
        horizontal_->setAlpha(0);
    });
}

void ScrollView::flashScrollIndicators() {
    showIndicators();
    hideIndicatorsLater(indicatorFadeDelay);
}

bool ScrollView::isShowingScrollIndicators() const {
    auto showing = [](const ScrollIndicator& indicator) {
        return !indicator.isHidden() && indicator.presentationAlpha() > 0;
    };
    return showing(*vertical_) || showing(*horizontal_);
}

bool ScrollView::canScroll(Point translation) const {
    Point maximum = maximumContentOffset();
    bool horizontal = maximum.x > 0 && std::abs(translation.x) > dragThreshold;
    bool vertical = maximum.y > 0 && std::abs(translation.y) > dragThreshold;
    return horizontal || vertical;
}

void ScrollView::startTracking(const Touch& touch) {
    dragged_ = false;
    dragging_ = false;
    dragStart_ = touch.locationInWindow();
    offsetAtStart_ = contentOffset();
    samples_ = {Sample{touch.timestamp(), touch.locationInWindow()}};
}

void ScrollView::touchBeganWithin(const Touch& touch) {
    if (scrollEnabled_ && !touch_) {
        stopMotion();
        startTracking(touch);
    }
}

bool ScrollView::shouldTakeOverTouch(const Touch& touch) {
    if (!scrollEnabled_ || touch_) {
        return false;
    }
    // A scroll view inside that already drags with this finger keeps it.
    for (View* inner = touch.view().get(); inner && inner != this; inner = inner->superview()) {
        auto* scroll = dynamic_cast<ScrollView*>(inner);
        if (scroll && scroll->isDragging()) {
            return false;
        }
    }
    Point at = touch.locationInWindow();
    return canScroll(Point{at.x - dragStart_.x, at.y - dragStart_.y});
}

void ScrollView::touchesBegan(const Touches& touches, const Event& event) {
    if (!scrollEnabled_ || touch_) {
        View::touchesBegan(touches, event);
        return;
    }
    touch_ = touches.front();
    stopMotion();
    startTracking(*touch_);
}

void ScrollView::touchesMoved(const Touches& touches, const Event& event) {
    if (!scrollEnabled_) {
        View::touchesMoved(touches, event);
        return;
    }
    if (!touch_) {
        // Taken over from a subview: the tracking began in touchBeganWithin.
        touch_ = touches.front();
    }
    Point at = touch_->locationInWindow();
    samples_.push_back(Sample{touch_->timestamp(), at});
    std::erase_if(samples_, [&](const Sample& sample) {
        return touch_->timestamp().secondsSince(sample.time) > velocityWindow;
    });
    if (!dragging_) {
        if (!canScroll(Point{at.x - dragStart_.x, at.y - dragStart_.y})) {
            return;
        }
        dragging_ = true;
        dragged_ = true;
        // The content follows from here on, so it does not jump by the threshold.
        dragStart_ = at;
        offsetAtStart_ = contentOffset();
        showIndicators();
        if (auto listener = delegate.lock()) {
            listener->scrollViewWillBeginDragging(*this);
        }
    }
    dragTo(at);
}

void ScrollView::dragTo(Point location) {
    Point maximum = maximumContentOffset();
    auto follow = [&](double start, double moved, double limit) {
        if (limit <= 0) {
            return start;
        }
        double wanted = start - moved;
        if (!bounces_) {
            return std::clamp(wanted, 0.0, limit);
        }
        if (wanted < 0) {
            return wanted / 2;
        }
        if (wanted > limit) {
            return limit + (wanted - limit) / 2;
        }
        return wanted;
    };
    applyOffset(Point{follow(offsetAtStart_.x, location.x - dragStart_.x, maximum.x),
                      follow(offsetAtStart_.y, location.y - dragStart_.y, maximum.y)});
}

Point ScrollView::velocity() const {
    if (samples_.size() < 2) {
        return Point{};
    }
    const Sample& last = samples_.back();
    // A finger that rested before lift-off throws nothing.
    auto recent = std::find_if(samples_.begin(), samples_.end(), [&](const Sample& sample) {
        return last.time.secondsSince(sample.time) <= velocityWindow;
    });
    const Sample& first = *recent;
    double elapsed = last.time.secondsSince(first.time);
    if (elapsed <= 0) {
        return Point{};
    }
    // Dragging right moves the content right, so the offset falls.
    return Point{-(last.location.x - first.location.x) / elapsed,
                 -(last.location.y - first.location.y) / elapsed};
}

void ScrollView::touchesEnded(const Touches& touches, const Event& event) {
    if (!touch_) {
        View::touchesEnded(touches, event);
        return;
    }
    touch_.reset();
    if (dragging_) {
        samples_.push_back(
            Sample{touches.front()->timestamp(), touches.front()->locationInWindow()});
        finishDrag(velocity());
    } else {
        restWhereAllowed();
    }
}

void ScrollView::touchesCancelled(const Touches& touches, const Event& event) {
    if (!touch_) {
        View::touchesCancelled(touches, event);
        return;
    }
    touch_.reset();
    if (dragging_) {
        finishDrag(Point{});
    } else {
        restWhereAllowed();
    }
}

void ScrollView::restWhereAllowed() {
    // A touch that stopped a glide or a spring-back can leave the content
    // between rows or past an edge.
    Point target = clamped(snapTarget(contentOffset()));
    if (motion_ == Motion::none && target != contentOffset()) {
        animateTo(target, animationDuration);
    }
}

void ScrollView::finishDrag(Point speed) {
    dragging_ = false;
    Point maximum = maximumContentOffset();
    if (maximum.x <= 0) {
        speed.x = 0;
    }
    if (maximum.y <= 0) {
        speed.y = 0;
    }
    Point offset = contentOffset();
    bool outside = clamped(offset) != offset;
    // Where the glide would come to rest, moved to where it may rest.
    double k = decay();
    Point target = clamped(
        snapTarget(outside ? clamped(offset)
                           : clamped(Point{offset.x + speed.x / k, offset.y + speed.y / k})));
    bool glides =
        !outside && std::hypot(target.x - offset.x, target.y - offset.y) > glideEndDistance;
    if (auto listener = delegate.lock()) {
        listener->scrollViewDidEndDragging(*this, glides);
    }
    if (outside) {
        animateTo(target, animationDuration);
    } else if (glides) {
        // The speed that comes to rest exactly on the target.
        startDeceleration(Point{(target.x - offset.x) * k, (target.y - offset.y) * k}, target);
    } else {
        applyOffset(target);
        hideIndicatorsLater(0);
        scrollingDidSettle();
    }
}

void ScrollView::startDeceleration(Point speed, Point target) {
    motion_ = Motion::decelerating;
    motionTo_ = target;
    motionStart_ = Clock::current()->now();
    motionFrom_ = contentOffset();
    motionVelocity_ = speed;
    timer_ = Timer(frameInterval, true, [this] { step(); });
}

void ScrollView::animateTo(Point target, double duration) {
    showIndicators();
    motion_ = Motion::animating;
    motionStart_ = Clock::current()->now();
    motionFrom_ = contentOffset();
    motionTo_ = target;
    motionDuration_ = duration;
    timer_ = Timer(frameInterval, true, [this] { step(); });
}

void ScrollView::stopMotion() {
    timer_.invalidate();
    motion_ = Motion::none;
}

void ScrollView::step() {
    double elapsed = now() - motionStart_.timeIntervalSince1970();
    auto keepAlive = shared_from_this();
    if (motion_ == Motion::animating) {
        double progress = progressAt(AnimationCurve::easeInOut, elapsed / motionDuration_);
        bool done = elapsed >= motionDuration_;
        applyOffset(done ? motionTo_
                         : Point{motionFrom_.x + (motionTo_.x - motionFrom_.x) * progress,
                                 motionFrom_.y + (motionTo_.y - motionFrom_.y) * progress});
        if (done) {
            stopMotion();
            hideIndicatorsLater(0);
            if (auto listener = delegate.lock()) {
                listener->scrollViewDidEndScrollingAnimation(*this);
            }
            scrollingDidSettle();
        }
        return;
    }
    // Glide: x(t) = x0 + v0·(1 − e^(−k·t)) / k, which comes to rest on the target.
    double k = decay();
    double travelled = (1 - std::exp(-k * elapsed)) / k;
    double left = std::exp(-k * elapsed) / k * std::hypot(motionVelocity_.x, motionVelocity_.y);
    bool done = left < glideEndDistance;
    applyOffset(done ? motionTo_
                     : Point{motionFrom_.x + motionVelocity_.x * travelled,
                             motionFrom_.y + motionVelocity_.y * travelled});
    if (done) {
        stopMotion();
        hideIndicatorsLater(0);
        if (auto listener = delegate.lock()) {
            listener->scrollViewDidEndDecelerating(*this);
        }
        scrollingDidSettle();
    }
}

} // namespace florelle
