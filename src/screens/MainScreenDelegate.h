#pragma once

#include "ui/ApplicationDelegate.h"

#include <memory>

namespace florelle {

class MainViewController;
class TouchForwardingView;
class Window;

// Starts the application on the main screen: brings the diary up to the
// current data version, puts the main screen into a 320 × 480 window below
// the status bar, and refreshes today's status at every activation. Taps on
// the status bar strip reach the main screen's statusBarTouch.
class MainScreenDelegate : public ApplicationDelegate {
public:
    static constexpr double statusBarHeight = 20;

    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;
    void didBecomeActive(Application& application) override;

    const std::shared_ptr<Window>& window() const { return window_; }
    const std::shared_ptr<MainViewController>& mainViewController() const { return main_; }

private:
    std::shared_ptr<Window> window_;
    std::shared_ptr<MainViewController> main_;
    std::shared_ptr<TouchForwardingView> statusBarStrip_;
};

} // namespace florelle
