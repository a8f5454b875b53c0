// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoAppDelegate.h"

#include "ControlsDemo.h"
#include "DemoScreen.h"
#include "TypingLabel.h"
#include "ui/Window.h"

namespace florelle {

bool DemoAppDelegate::didFinishLaunching(Application&, const LaunchOptions&) {
    window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
    screen_ = std::make_shared<DemoScreen>(window_->bounds());
    screen_->build();
    window_->addSubview(screen_);
    window_->makeKeyAndVisible();
    screen_->typingLabel().becomeFirstResponder();
    if (openControlsTour_) {
        tour_ = ControlsDemo::openOver(*window_);
    }
    return true;
}

} // namespace florelle
