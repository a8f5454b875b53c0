// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarDemoAppDelegate.h"

#include "CalendarDemoScreen.h"
#include "foundation/Clock.h"
#include "foundation/Paths.h"
#include "ui/Window.h"

namespace florelle {

CalendarDemoAppDelegate::CalendarDemoAppDelegate(std::filesystem::path scratchDocuments)
    : scratchDocuments_(std::move(scratchDocuments)) {}

bool CalendarDemoAppDelegate::didFinishLaunching(Application&, const LaunchOptions&) {
    Paths::setDocumentsDirectory(scratchDocuments_);
    CalendarDemoScreen::seedDiary(Clock::current()->now());
    window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
    screen_ = std::make_shared<CalendarDemoScreen>(window_->bounds());
    screen_->build();
    window_->addSubview(screen_);
    window_->makeKeyAndVisible();
    return true;
}

} // namespace florelle
