#include "MainScreenDelegate.h"

#include "MainViewController.h"
#include "TouchForwardingView.h"
#include "storage/VersionUpdater.h"
#include "ui/Window.h"

namespace florelle {

bool MainScreenDelegate::didFinishLaunching(Application&, const LaunchOptions&) {
    VersionUpdater().updateToCurrentVersion();
    window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
    main_ = std::make_shared<MainViewController>();
    auto& view = main_->view();
    view->setFrame(
        Rect(0, statusBarHeight, ViewController::screenWidth, ViewController::screenHeight));
    window_->addSubview(view);
    statusBarStrip_ = std::make_shared<TouchForwardingView>(Rect(0, 0, 320, statusBarHeight));
    std::weak_ptr<MainViewController> weakMain = main_;
    statusBarStrip_->onTouchEnded = [weakMain](Point) {
        if (auto controller = weakMain.lock()) {
            controller->statusBarTouch();
        }
    };
    window_->addSubview(statusBarStrip_);
    window_->makeKeyAndVisible();
    return true;
}

void MainScreenDelegate::didBecomeActive(Application&) {
    if (main_) {
        main_->reloadForToday();
    }
}

} // namespace florelle
