// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomApplication.h"

#include "FlorelleAppDelegate.h"

namespace florelle {

void CustomApplication::sendEvent(const Event& event) {
    bool tapped = false;
    double shownTop = isStatusBarHidden() ? statusBarBottom : 0;
    for (const auto& touch : event.allTouches()) {
        double y = touch->locationInWindow().y - shownTop;
        if (touch->phase() == TouchPhase::began && y >= statusBarTop && y < statusBarBottom) {
            tapped = true;
        }
    }
    if (tapped) {
        if (auto florelle = std::dynamic_pointer_cast<FlorelleAppDelegate>(delegate())) {
            florelle->statusBarTouch();
        }
    }
    Application::sendEvent(event);
}

} // namespace florelle
