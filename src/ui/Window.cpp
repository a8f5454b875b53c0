// SPDX-License-Identifier: GPL-3.0-or-later
#include "Window.h"

#include "Application.h"
#include "Keyboard.h"
#include "TextInput.h"
#include "TouchInterceptor.h"
#include "foundation/Clock.h"

#include <algorithm>
#include <map>

namespace florelle {

void Window::makeKeyAndVisible() {
    setHidden(false);
    if (auto* application = Application::sharedApplication()) {
        application->setKeyWindow(std::static_pointer_cast<Window>(shared_from_this()));
    }
}

bool Window::isKeyWindow() const {
    auto* application = Application::sharedApplication();
    return application && application->keyWindow().get() == this;
}

void Window::setFirstResponder(const std::shared_ptr<View>& responder) {
    auto previous = firstResponder_.lock();
    if (previous == responder || (responder && !reachable(*responder))) {
        return;
    }
    firstResponder_ = responder;
    if (auto* input = dynamic_cast<TextInput*>(previous.get())) {
        input->didResignFirstResponder();
    }
    if (auto* input = dynamic_cast<TextInput*>(responder.get())) {
        input->didBecomeFirstResponder();
    }
    Keyboard::followFirstResponder(*this);
}

Responder* Window::nextResponder() const {
    return Application::sharedApplication();
}

bool Window::reachable(const View& view) const {
    auto cover = cover_.lock();
    if (!cover || view.isDescendantOf(cover.get())) {
        return true;
    }
    auto keyboard = Keyboard::of(*this);
    return keyboard && view.isDescendantOf(keyboard.get());
}

void Window::setCover(const std::shared_ptr<View>& cover) {
    cover_ = cover;
    if (!cover) {
        return;
    }
    addSubview(cover);
    bringSubviewToFront(cover.get());
    if (auto keyboard = Keyboard::of(*this)) {
        bringSubviewToFront(keyboard.get());
    }
    if (auto responder = firstResponder(); responder && !reachable(*responder)) {
        setFirstResponder(nullptr);
    }
    // A finger already down on something now hidden lets go of it.
    for (const auto& touch : activeTouches_) {
        auto view = touch->view();
        if (view && !reachable(*view)) {
            touch->setView(nullptr);
            view->touchesCancelled({touch}, Event({touch}, Clock::current()->now()));
        }
    }
}

void Window::didAddSubview(View& view) {
    auto cover = cover_.lock();
    if (!cover || &view == cover.get() || dynamic_cast<Keyboard*>(&view)) {
        return;
    }
    bringSubviewToFront(cover.get());
    if (auto keyboard = Keyboard::of(*this)) {
        bringSubviewToFront(keyboard.get());
    }
}

bool Window::acceptsNewTouch(const View& view) const {
    for (const auto& active : activeTouches_) {
        const auto& other = active->view();
        if (other && other.get() != &view &&
            (other->isExclusiveTouch() || view.isExclusiveTouch())) {
            return false;
        }
    }
    return true;
}

void Window::offerTakeOver(const std::shared_ptr<Touch>& touch, const Event& event) {
    auto holder = touch->view();
    for (View* above = holder->superview(); above; above = above->superview()) {
        auto* interceptor = dynamic_cast<TouchInterceptor*>(above);
        if (interceptor && interceptor->shouldTakeOverTouch(*touch)) {
            touch->setView(above->shared_from_this());
            holder->touchesCancelled({touch}, event);
            return;
        }
    }
}

void Window::sendEvent(const Event& event) {
    for (const auto& touch : event.allTouches()) {
        bool known =
            std::find(activeTouches_.begin(), activeTouches_.end(), touch) != activeTouches_.end();
        if (touch->phase() == TouchPhase::began && !known) {
            auto hit = hitTest(touch->locationInWindow());
            if (hit && (!acceptsNewTouch(*hit) || !reachable(*hit))) {
                hit = nullptr;
            }
            touch->setView(hit);
            activeTouches_.push_back(touch);
            if (hit) {
                for (View* above = hit->superview(); above; above = above->superview()) {
                    if (auto* interceptor = dynamic_cast<TouchInterceptor*>(above)) {
                        interceptor->touchBeganWithin(*touch);
                    }
                }
            }
        } else if (touch->phase() == TouchPhase::moved && touch->view()) {
            offerTakeOver(touch, event);
        }
    }

    // Each view hears about its own touches, one call per phase.
    std::map<TouchPhase, std::map<View*, Touches>> byPhase;
    std::vector<std::shared_ptr<View>> order;
    for (const auto& touch : event.allTouches()) {
        if (const auto& view = touch->view()) {
            auto& touches = byPhase[touch->phase()][view.get()];
            if (touches.empty()) {
                order.push_back(view);
            }
            touches.push_back(touch);
        }
    }
    for (auto& [phase, views] : byPhase) {
        for (const auto& view : order) {
            auto found = views.find(view.get());
            if (found == views.end()) {
                continue;
            }
            switch (phase) {
            case TouchPhase::began:
                view->touchesBegan(found->second, event);
                break;
            case TouchPhase::moved:
                view->touchesMoved(found->second, event);
                break;
            case TouchPhase::ended:
                view->touchesEnded(found->second, event);
                break;
            case TouchPhase::cancelled:
                view->touchesCancelled(found->second, event);
                break;
            case TouchPhase::stationary:
                break;
            }
        }
    }

    std::erase_if(activeTouches_, [](const auto& touch) {
        return touch->phase() == TouchPhase::ended || touch->phase() == TouchPhase::cancelled;
    });
}

} // namespace florelle
