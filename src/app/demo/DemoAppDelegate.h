// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ApplicationDelegate.h"

#include <memory>

namespace florelle {

class DemoScreen;
class NavigationController;
class Window;

// Shows the demo screen in a 320 × 480 window at launch, its typing line
// taking the keyboard; optionally with the tour of the controls over it.
class DemoAppDelegate : public ApplicationDelegate {
public:
    explicit DemoAppDelegate(bool openControlsTour = false) : openControlsTour_(openControlsTour) {}

    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;

    const std::shared_ptr<Window>& window() const { return window_; }
    const std::shared_ptr<DemoScreen>& screen() const { return screen_; }

private:
    bool openControlsTour_;
    std::shared_ptr<Window> window_;
    std::shared_ptr<DemoScreen> screen_;
    std::shared_ptr<NavigationController> tour_;
};

} // namespace florelle
