#pragma once

#include "ui/ApplicationDelegate.h"

#include <memory>

namespace florelle {

class DemoScreen;
class Window;

// Shows the demo screen in a 320 × 480 window at launch, its typing line
// taking the keyboard.
class DemoAppDelegate : public ApplicationDelegate {
public:
    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;

    const std::shared_ptr<Window>& window() const { return window_; }
    const std::shared_ptr<DemoScreen>& screen() const { return screen_; }

private:
    std::shared_ptr<Window> window_;
    std::shared_ptr<DemoScreen> screen_;
};

} // namespace florelle
