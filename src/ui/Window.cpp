#include "Window.h"

#include "Application.h"

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
    firstResponder_ = responder;
}

Responder* Window::nextResponder() const {
    return Application::sharedApplication();
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

void Window::sendEvent(const Event& event) {
    for (const auto& touch : event.allTouches()) {
        bool known =
            std::find(activeTouches_.begin(), activeTouches_.end(), touch) != activeTouches_.end();
        if (touch->phase() == TouchPhase::began && !known) {
            auto hit = hitTest(touch->locationInWindow());
            touch->setView(hit && acceptsNewTouch(*hit) ? hit : nullptr);
            activeTouches_.push_back(touch);
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
