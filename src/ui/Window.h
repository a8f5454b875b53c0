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

private:
    bool acceptsNewTouch(const View& view) const;
    void offerTakeOver(const std::shared_ptr<Touch>& touch, const Event& event);

    std::weak_ptr<View> firstResponder_;
    Touches activeTouches_;
};

} // namespace florelle
