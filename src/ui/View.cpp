// SPDX-License-Identifier: GPL-3.0-or-later
#include "View.h"

#include "Animator.h"
#include "BasicAnimation.h"
#include "ViewAnimationBlock.h"
#include "Window.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "graphics/GraphicsContext.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace florelle {

namespace {

// The keys of the animations that animation blocks add, one per property.
constexpr const char* positionKey = "position";
constexpr const char* boundsKey = "bounds";
constexpr const char* opacityKey = "opacity";
constexpr const char* transformKey = "transform";

Date now() {
    return Clock::current()->now();
}

} // namespace

View::View(const Rect& frame) {
    // Set directly: a view made inside an animation block appears where it is put.
    Rect standard = frame.standardized();
    model_.position = Point{standard.midX(), standard.midY()};
    model_.bounds = Rect(Point{}, standard.size);
}

View::~View() {
    for (auto& attached : animations_) {
        if (!attached.stopped) {
            stopAttached(attached, false);
        }
    }
    for (auto& subview : subviews_) {
        subview->superview_ = nullptr;
    }
}

Rect View::frame() const {
    return model_.frame();
}

void View::setFrame(const Rect& frame) {
    Rect standard = frame.standardized();
    setCenter(Point{standard.midX(), standard.midY()});
    setBounds(Rect(model_.bounds.origin, standard.size));
}

void View::setBounds(const Rect& bounds) {
    if (bounds == model_.bounds) {
        return;
    }
    changeModel(boundsKey, [&] { model_.bounds = bounds; });
    setNeedsDisplay();
}

void View::setCenter(Point center) {
    if (center == model_.position) {
        return;
    }
    changeModel(positionKey, [&] { model_.position = center; });
}

void View::setTransform(const AffineTransform& transform) {
    if (transform == model_.transform) {
        return;
    }
    changeModel(transformKey, [&] { model_.transform = transform; });
}

void View::setAlpha(double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == model_.opacity) {
        return;
    }
    changeModel(opacityKey, [&] { model_.opacity = alpha; });
}

void View::setBackgroundColor(const Color& color) {
    if (color == backgroundColor_) {
        return;
    }
    backgroundColor_ = color;
    setNeedsDisplay();
}

void View::setHidden(bool hidden) {
    if (hidden == hidden_) {
        return;
    }
    hidden_ = hidden;
    markTreeForRedraw();
}

void View::setClipsToBounds(bool clips) {
    if (clips == clipsToBounds_) {
        return;
    }
    clipsToBounds_ = clips;
    markTreeForRedraw();
}

void View::setStretchesContent(bool stretches) {
    if (stretches == stretchesContent_) {
        return;
    }
    stretchesContent_ = stretches;
    markTreeForRedraw();
}

void View::changeModel(const char* keyPath, const std::function<void()>& change) {
    auto block = ViewAnimationBlock::current();
    LayerState shown = block ? presentationState() : model_;
    change();
    markTreeForRedraw();
    auto running = findAnimation(keyPath);
    if (!block) {
        // Model and picture agree again at once.
        if (running != animations_.end() && running->block) {
            stopAttached(*running, false);
            animations_.erase(running);
        }
        return;
    }
    if (block->duration() <= 0 && block->delay() <= 0) {
        return;
    }
    auto animation = std::make_shared<BasicAnimation>(keyPath);
    animation->setDuration(block->duration());
    animation->setCurve(block->curve());
    animation->setFillMode(FillMode::backwards);
    animation->setFromValue(shown.value(keyPath));
    animation->setToValue(model_.value(keyPath));
    block->partAdded();
    attach({keyPath, animation, now().addingSeconds(block->delay()), shown, block});
}

void View::attach(AttachedAnimation attached) {
    auto existing = findAnimation(attached.key);
    if (existing != animations_.end()) {
        if (existing->block && existing->block == attached.block && !existing->stopped) {
            existing->stopped = true;
            existing->block->partDropped();
        } else if (!existing->stopped) {
            stopAttached(*existing, false);
        }
        animations_.erase(existing);
    }
    animations_.push_back(std::move(attached));
    markTreeForRedraw();
    auto self = weak_from_this();
    if (self.expired()) {
        Log::write("View: animations need a view held by shared_ptr");
        return;
    }
    Animator::shared().watch(self);
}

void View::stopAttached(AttachedAnimation& attached, bool finished) {
    attached.stopped = true;
    Animator::shared().report({attached.animation, attached.block, finished});
}

std::vector<View::AttachedAnimation>::iterator View::findAnimation(const std::string& key) {
    return std::find_if(animations_.begin(), animations_.end(),
                        [&](const AttachedAnimation& attached) { return attached.key == key; });
}

LayerState View::presentationState() const {
    return presentationStateAt(now());
}

LayerState View::presentationStateAt(Date moment) const {
    if (animations_.empty()) {
        return model_;
    }
    LayerState state = model_;
    for (const auto& attached : animations_) {
        if (auto time = attached.animation->activeTime(moment.secondsSince(attached.begin))) {
            attached.animation->apply(state, *time, attached.start);
        }
    }
    return state;
}

void View::addAnimation(std::shared_ptr<Animation> animation, const std::string& key) {
    if (!animation) {
        return;
    }
    attach({key, std::move(animation), now(), presentationState(), nullptr});
}

void View::removeAnimation(const std::string& key) {
    auto found = findAnimation(key);
    if (found == animations_.end()) {
        return;
    }
    if (!found->stopped) {
        stopAttached(*found, false);
    }
    animations_.erase(found);
    markTreeForRedraw();
}

void View::removeAllAnimations() {
    while (!animations_.empty()) {
        removeAnimation(animations_.front().key);
    }
}

std::shared_ptr<Animation> View::animationForKey(const std::string& key) const {
    for (const auto& attached : animations_) {
        if (attached.key == key) {
            return attached.animation;
        }
    }
    return nullptr;
}

std::vector<std::string> View::animationKeys() const {
    std::vector<std::string> keys;
    for (const auto& attached : animations_) {
        keys.push_back(attached.key);
    }
    return keys;
}

bool View::advanceAnimations(Date moment) {
    bool running = false;
    for (auto& attached : animations_) {
        if (attached.stopped) {
            continue;
        }
        double elapsed = moment.secondsSince(attached.begin);
        if (elapsed >= attached.animation->duration() - Animation::endTolerance) {
            stopAttached(attached, true);
        } else {
            running = true;
        }
    }
    std::erase_if(animations_, [](const AttachedAnimation& attached) {
        return attached.stopped && attached.animation->isRemovedOnCompletion();
    });
    markTreeForRedraw();
    return running;
}

Date View::nextVisibleChange(Date now, double pixelsPerPoint, Date latest) const {
    for (const auto& attached : animations_) {
        if (attached.stopped) {
            continue;
        }
        Date end = attached.begin.addingSeconds(attached.animation->duration());
        for (Date edge : {attached.begin, end}) {
            if (edge > now) {
                latest = std::min(latest, edge);
            }
        }
    }
    // How far apart two states look, in pixels (or units of opacity): how
    // far a corner of the frame moved, and the contents within it.
    LayerState shown = presentationStateAt(now);
    auto corners = [](const LayerState& state) {
        AffineTransform toSuperview = state.toSuperview();
        const Rect& bounds = state.bounds;
        return std::array{toSuperview.apply(Point{bounds.minX(), bounds.minY()}),
                          toSuperview.apply(Point{bounds.maxX(), bounds.minY()}),
                          toSuperview.apply(Point{bounds.minX(), bounds.maxY()}),
                          toSuperview.apply(Point{bounds.maxX(), bounds.maxY()})};
    };
    auto shownCorners = corners(shown);
    auto apart = [&](const LayerState& later) {
        auto laterCorners = corners(later);
        double points = std::max(std::abs(later.bounds.minX() - shown.bounds.minX()),
                                 std::abs(later.bounds.minY() - shown.bounds.minY()));
        for (std::size_t index = 0; index < laterCorners.size(); ++index) {
            points = std::max({points, std::abs(laterCorners[index].x - shownCorners[index].x),
                               std::abs(laterCorners[index].y - shownCorners[index].y)});
        }
        return std::max(points * pixelsPerPoint, std::abs(later.opacity - shown.opacity) * 255);
    };
    // Steps a frame apart up to the first state a pixel away; between it
    // and the step before, the moment it is reached, taking the change there
    // as steady. Never sooner than a frame.
    const double frame = Animator::frameInterval;
    double before = 0;
    for (double step = frame;; step += frame) {
        Date moment = now.addingSeconds(step);
        if (moment >= latest) {
            return latest;
        }
        double distance = apart(presentationStateAt(moment));
        if (distance >= 1) {
            double reached = step - frame * (distance - 1) / (distance - before);
            return now.addingSeconds(std::max(reached, frame));
        }
        before = distance;
    }
}

void View::animate(double duration, double delay, AnimationCurve curve,
                   const std::function<void()>& changes, Completion completion) {
    auto block =
        std::make_shared<ViewAnimationBlock>(duration, delay, curve, std::move(completion));
    block->run(changes);
}

void View::animate(double duration, const std::function<void()>& changes, Completion completion) {
    animate(duration, 0, AnimationCurve::easeInOut, changes, std::move(completion));
}

void View::addSubview(std::shared_ptr<View> view) {
    insertSubview(std::move(view), subviews_.size());
}

void View::insertSubview(std::shared_ptr<View> view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOf(view.get())) {
        return;
    }
    bool reordering = view->superview_ == this;
    if (reordering) {
        auto current = std::find(subviews_.begin(), subviews_.end(), view);
        std::size_t position = current - subviews_.begin();
        subviews_.erase(current);
        if (index > position) {
            --index;
        }
    } else {
        view->detachFromSuperview();
        view->superview_ = this;
        view->needsRedraw_ = false;
    }
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
    markTreeForRedraw();
    if (!reordering) {
        view->didMoveToSuperview();
        didAddSubview(*view);
    }
}

void View::insertSubviewAbove(std::shared_ptr<View> view, const View* sibling) {
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& subview) { return subview.get() == sibling; });
    std::size_t index = found == subviews_.end() ? subviews_.size() : found - subviews_.begin() + 1;
    insertSubview(std::move(view), index);
}

void View::insertSubviewBelow(std::shared_ptr<View> view, const View* sibling) {
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& subview) { return subview.get() == sibling; });
    std::size_t index = found == subviews_.end() ? 0 : found - subviews_.begin();
    insertSubview(std::move(view), index);
}

void View::detachFromSuperview() {
    View* parent = superview_;
    if (!parent) {
        return;
    }
    if (auto* owner = window();
        owner && owner->firstResponder() &&
        (owner->firstResponder().get() == this || owner->firstResponder()->isDescendantOf(this))) {
        owner->setFirstResponder(nullptr);
    }
    parent->willRemoveSubview(*this);
    parent->markTreeForRedraw();
    auto found = std::find_if(parent->subviews_.begin(), parent->subviews_.end(),
                              [&](const auto& subview) { return subview.get() == this; });
    superview_ = nullptr;
    needsRedraw_ = true;
    // The superview's reference may be the last one; erase it last.
    auto keepAlive = *found;
    parent->subviews_.erase(found);
    didMoveToSuperview();
}

void View::removeFromSuperview() {
    if (!superview_) {
        return;
    }
    auto keepAlive = shared_from_this();
    detachFromSuperview();
}

void View::bringSubviewToFront(const View* view) {
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& subview) { return subview.get() == view; });
    if (found != subviews_.end()) {
        std::rotate(found, found + 1, subviews_.end());
        markTreeForRedraw();
    }
}

void View::sendSubviewToBack(const View* view) {
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& subview) { return subview.get() == view; });
    if (found != subviews_.end()) {
        std::rotate(subviews_.begin(), found, found + 1);
        markTreeForRedraw();
    }
}

std::shared_ptr<View> View::viewWithTag(int tag) {
    if (tag_ == tag) {
        return shared_from_this();
    }
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

bool View::isDescendantOf(const View* view) const {
    for (const View* current = this; current; current = current->superview_) {
        if (current == view) {
            return true;
        }
    }
    return false;
}

View* View::rootView() {
    View* current = this;
    while (current->superview_) {
        current = current->superview_;
    }
    return current;
}

const View* View::rootView() const {
    return const_cast<View*>(this)->rootView();
}

Window* View::window() const {
    return dynamic_cast<Window*>(const_cast<View*>(rootView()));
}

void View::setNeedsDisplay() {
    needsDisplay_ = true;
    markTreeForRedraw();
}

void View::markTreeForRedraw() {
    rootView()->needsRedraw_ = true;
    // What was hidden may show now.
    Animator::shared().treeChanged();
}

void View::draw(GraphicsContext&, const Rect&) {}

void View::drawContent(GraphicsContext& context, const Rect& shown) {
    if (backgroundColor_.alpha() > 0) {
        context.save();
        context.setFillColor(backgroundColor_);
        context.fillRect(shown);
        context.restore();
    }
    context.save();
    draw(context, shown);
    context.restore();
}

AffineTransform View::toRoot() const {
    AffineTransform transform;
    for (const View* current = this; current->superview_; current = current->superview_) {
        transform = transform.concat(current->model_.toSuperview());
    }
    return transform;
}

Point View::convertPointToWindow(Point point) const {
    return toRoot().apply(point);
}

Point View::convertPointFromWindow(Point point) const {
    return toRoot().invert().apply(point);
}

Point View::convertPoint(Point point, const View* to) const {
    Point inRoot = convertPointToWindow(point);
    return to ? to->convertPointFromWindow(inRoot) : inRoot;
}

Point View::convertPointFrom(Point point, const View* from) const {
    Point inRoot = from ? from->convertPointToWindow(point) : point;
    return convertPointFromWindow(inRoot);
}

Rect View::convertRect(const Rect& rect, const View* to) const {
    AffineTransform transform = toRoot();
    if (to) {
        transform = transform.concat(to->toRoot().invert());
    }
    return transform.apply(rect);
}

Rect View::convertRectFrom(const Rect& rect, const View* from) const {
    AffineTransform transform = from ? from->toRoot() : AffineTransform();
    return transform.concat(toRoot().invert()).apply(rect);
}

bool View::pointInside(Point point) const {
    return model_.bounds.contains(point);
}

std::shared_ptr<View> View::hitTest(Point point) {
    if (hidden_ || model_.opacity < 0.01 || !userInteractionEnabled_ || !pointInside(point)) {
        return nullptr;
    }
    for (auto subview = subviews_.rbegin(); subview != subviews_.rend(); ++subview) {
        AffineTransform toSubview = (*subview)->model_.toSuperview();
        // A view squashed flat by its transform covers no area.
        if (!toSubview.isInvertible()) {
            continue;
        }
        if (auto hit = (*subview)->hitTest(toSubview.invert().apply(point))) {
            return hit;
        }
    }
    return shared_from_this();
}

Responder* View::nextResponder() const {
    return superview_;
}

bool View::becomeFirstResponder() {
    auto* owner = window();
    if (!owner || !canBecomeFirstResponder()) {
        return false;
    }
    owner->setFirstResponder(shared_from_this());
    return true;
}

bool View::resignFirstResponder() {
    auto* owner = window();
    if (owner && isFirstResponder()) {
        owner->setFirstResponder(nullptr);
    }
    return true;
}

bool View::isFirstResponder() const {
    auto* owner = window();
    return owner && owner->firstResponder().get() == this;
}

} // namespace florelle
