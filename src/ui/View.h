// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Animation.h"
#include "AnimationCurve.h"
#include "LayerState.h"
#include "Responder.h"
#include "ViewLayer.h"
#include "foundation/Date.h"
#include "geometry/Geometry.h"
#include "graphics/Color.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace florelle {

class GraphicsContext;
class ViewAnimationBlock;
class Window;

// A rectangle of the screen in a tree of views. Views live in shared_ptr: a
// superview owns its subviews, a subview knows its superview by a plain
// pointer that removal clears.
//
// Model and presentation: every setter changes the model at once, and hit
// testing and conversions read the model. Inside View::animate the setters of
// frame, bounds, center, transform and alpha also start an animation, and
// layer animations (addAnimation) change what is shown over time; a renderer
// reads presentationState() (and hidden, clipsToBounds, subviews) and calls
// draw(). Setting an animated property outside an animation block ends the
// block animation running on it.
//
// Coordinates: a view's bounds are its own coordinate space (origin at the
// top left, y down); center is the bounds' middle in the superview's space,
// and transform turns and scales about it.
class View : public Responder, public std::enable_shared_from_this<View> {
public:
    View() = default;
    explicit View(const Rect& frame);
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    ~View() override;

    // Geometry (model).
    Rect frame() const;
    void setFrame(const Rect& frame);
    Rect bounds() const { return model_.bounds; }
    void setBounds(const Rect& bounds);
    Point center() const { return model_.position; }
    void setCenter(Point center);
    const AffineTransform& transform() const { return model_.transform; }
    void setTransform(const AffineTransform& transform);
    double alpha() const { return model_.opacity; }
    // Clamped to 0…1.
    void setAlpha(double alpha);

    // Fills the bounds under the view's own drawing; clear (nothing) by default.
    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);

    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips);
    // Whether a size animation stretches the content drawn for the bounds
    // over the bounds shown instead of drawing it again for them: a picture
    // that grows. Off by default, for views that lay their drawing out
    // within the bounds.
    bool stretchesContent() const { return stretchesContent_; }
    void setStretchesContent(bool stretches);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    // A view with exclusive touch takes no touch while another view in its
    // window is being touched, and no other view does while it is.
    bool isExclusiveTouch() const { return exclusiveTouch_; }
    void setExclusiveTouch(bool exclusive) { exclusiveTouch_ = exclusive; }

    // Presentation: what is shown now, by Clock::current().
    const LayerState& modelState() const { return model_; }
    LayerState presentationState() const;
    Rect presentationFrame() const { return presentationState().frame(); }
    Point presentationCenter() const { return presentationState().position; }
    Rect presentationBounds() const { return presentationState().bounds; }
    AffineTransform presentationTransform() const { return presentationState().transform; }
    double presentationAlpha() const { return presentationState().opacity; }

    // The tree. Adding a view takes it from its old superview first; a view
    // cannot be added to itself or to one of its own subviews.
    View* superview() const { return superview_; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
    void addSubview(std::shared_ptr<View> view);
    // The index is clamped to the number of subviews.
    void insertSubview(std::shared_ptr<View> view, std::size_t index);
    void insertSubviewAbove(std::shared_ptr<View> view, const View* sibling);
    void insertSubviewBelow(std::shared_ptr<View> view, const View* sibling);
    void removeFromSuperview();
    void bringSubviewToFront(const View* view);
    void sendSubviewToBack(const View* view);
    // This view or the first in its subtree (depth first) with the tag.
    std::shared_ptr<View> viewWithTag(int tag);
    bool isDescendantOf(const View* view) const;
    // The top of the tree this view is in (itself when it has no superview).
    View* rootView();
    const View* rootView() const;
    // The window at the top of the tree, if the top is a window.
    Window* window() const;

    // Drawing. A view draws its content (background colour and draw()) once
    // into its layer, which is laid down again as it moves, fades and turns.
    // setNeedsDisplay marks the content for drawing again and the tree for a
    // redraw; every change that moves or shows views marks the tree only.
    void setNeedsDisplay();
    bool needsDisplay() const { return needsDisplay_; }
    void clearNeedsDisplay() { needsDisplay_ = false; }
    // On the root view: something in the tree changed since the last redraw.
    bool needsRedraw() const { return needsRedraw_; }
    void clearNeedsRedraw() { needsRedraw_ = false; }
    // Draws the content in the view's own coordinates; the default draws
    // nothing. `dirty` is the part of the bounds that needs it: the bounds
    // shown, which differ from bounds() while a size animation runs.
    virtual void draw(GraphicsContext& context, const Rect& dirty);
    // The background colour over `shown`, then draw().
    void drawContent(GraphicsContext& context, const Rect& shown);
    ViewLayer& layer() { return layer_; }

    // The text the view shows, for descriptions of the screen; empty by default.
    virtual std::string displayedText() const { return {}; }

    // Conversions through the model geometry; nullptr means the coordinates
    // of the root of this view's tree (the window's).
    Point convertPoint(Point point, const View* to) const;
    Point convertPointFrom(Point point, const View* from) const;
    Rect convertRect(const Rect& rect, const View* to) const;
    Rect convertRectFrom(const Rect& rect, const View* from) const;
    Point convertPointToWindow(Point point) const;
    Point convertPointFromWindow(Point point) const;

    // The deepest view under the point (in this view's coordinates) that takes
    // touches: hidden views, nearly transparent ones (alpha below 0.01) and
    // those with interaction off are passed over with their subviews, and
    // later subviews (on top) come first. Points outside the bounds hit
    // nothing, whatever the subviews. Empty when nothing is hit.
    virtual std::shared_ptr<View> hitTest(Point point);
    virtual bool pointInside(Point point) const;

    Responder* nextResponder() const override;

    // First responder of the view's window.
    bool becomeFirstResponder();
    bool resignFirstResponder();
    bool isFirstResponder() const;

    // Animation blocks: the changes run at once; the frame, bounds, center,
    // transform and alpha they set are shown moving from what was shown to
    // the new value over the duration, after the delay. The completion is
    // called once from the run loop when every animation of the block ended,
    // with false when one of them was cut short. Blocks nest; a duration of
    // zero applies the changes without animation.
    using Completion = std::function<void(bool finished)>;
    static void animate(double duration, double delay, AnimationCurve curve,
                        const std::function<void()>& changes, Completion completion = {});
    static void animate(double duration, const std::function<void()>& changes,
                        Completion completion = {});

    // Layer animations under a key; an animation already under that key is
    // removed first (its delegate hears finished = false).
    void addAnimation(std::shared_ptr<Animation> animation, const std::string& key);
    void removeAnimation(const std::string& key);
    void removeAllAnimations();
    std::shared_ptr<Animation> animationForKey(const std::string& key) const;
    std::vector<std::string> animationKeys() const;

    // For the animation clock: reports the animations that ended by `now`,
    // drops the ones to remove, and says whether any is still running.
    bool advanceAnimations(Date now);
    // For the animation clock: the first moment after `now`, and no later
    // than `latest`, at which the view's animations show it a pixel away
    // (a corner moved that far at `pixelsPerPoint`, or its opacity a unit of
    // 255 away) or one of them begins or ends.
    Date nextVisibleChange(Date now, double pixelsPerPoint, Date latest) const;

protected:
    // Called after the view moved to a new superview (or none).
    virtual void didMoveToSuperview() {}
    virtual void didAddSubview(View&) {}
    virtual void willRemoveSubview(View&) {}

private:
    struct AttachedAnimation {
        std::string key;
        std::shared_ptr<Animation> animation;
        Date begin;
        LayerState start;
        std::shared_ptr<ViewAnimationBlock> block;
        bool stopped = false;
    };

    void markTreeForRedraw();
    void detachFromSuperview();
    void changeModel(const char* keyPath, const std::function<void()>& change);
    void attach(AttachedAnimation attached);
    void stopAttached(AttachedAnimation& attached, bool finished);
    std::vector<AttachedAnimation>::iterator findAnimation(const std::string& key);
    AffineTransform toRoot() const;
    LayerState presentationStateAt(Date moment) const;

    LayerState model_;
    Color backgroundColor_ = Color::clear();
    bool hidden_ = false;
    bool clipsToBounds_ = false;
    bool stretchesContent_ = false;
    int tag_ = 0;
    bool userInteractionEnabled_ = true;
    bool exclusiveTouch_ = false;
    bool needsDisplay_ = true;
    bool needsRedraw_ = true;
    View* superview_ = nullptr;
    std::vector<std::shared_ptr<View>> subviews_;
    std::vector<AttachedAnimation> animations_;
    ViewLayer layer_;
};

} // namespace florelle
