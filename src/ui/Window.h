// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "View.h"

#include <memory>
#include <vector>

namespace florelle {

// The root of a view tree that the host shows. It turns touch events into
// calls on views: a touch goes to the view hit at touch-down for all its
// phases, unless an ancestor that intercepts touches (a scroll view) takes
// it over on a move. It holds the first responder of its tree (weakly); when
// that changes, a text input hears it and the on-screen keyboard follows.
//
// A cover (a lock screen) hides the rest of the window: it stays in front of
// every subview added later, the on-screen keyboard alone above it, and while
// it is set only the cover and the keyboard take touches and only a view
// inside the cover can become first responder.
class Window : public View {
public:
    using View::View;

    // Shows the window and makes it the application's key window.
    void makeKeyAndVisible();
    bool isKeyWindow() const;

    // Dispatches the touches of the event; overridable to look at every event.
    virtual void sendEvent(const Event& event);

    std::shared_ptr<View> firstResponder() const { return firstResponder_.lock(); }
    void setFirstResponder(const std::shared_ptr<View>& responder);

    Responder* nextResponder() const override;

    // Adds the cover on top and cancels the touches under way on views
    // outside it; empty lifts the cover rule (the view itself stays put).
    void setCover(const std::shared_ptr<View>& cover);
    std::shared_ptr<View> cover() const { return cover_.lock(); }

protected:
    void didAddSubview(View& view) override;

private:
    // Whether the view may take touches and focus while the cover is set.
    bool reachable(const View& view) const;
    bool acceptsNewTouch(const View& view) const;
    void offerTakeOver(const std::shared_ptr<Touch>& touch, const Event& event);

    std::weak_ptr<View> firstResponder_;
    std::weak_ptr<View> cover_;
    Touches activeTouches_;
};

} // namespace florelle
