// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ApplicationDelegate.h"

#include <filesystem>
#include <memory>

namespace florelle {

class CalendarDemoScreen;
class Window;

// Starts the calendar demo: points the documents folder at a scratch folder
// (never the user's diary), fills that diary with a few periods, notes and
// intimate days if it is empty, and shows the demo screen in a 320 × 480
// window.
class CalendarDemoAppDelegate : public ApplicationDelegate {
public:
    explicit CalendarDemoAppDelegate(std::filesystem::path scratchDocuments);

    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;

    const std::shared_ptr<Window>& window() const { return window_; }
    const std::shared_ptr<CalendarDemoScreen>& screen() const { return screen_; }

private:
    std::filesystem::path scratchDocuments_;
    std::shared_ptr<Window> window_;
    std::shared_ptr<CalendarDemoScreen> screen_;
};

} // namespace florelle
