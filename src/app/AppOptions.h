// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "host/StatusBarChoice.h"
#include "platform/LocalNotification.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

// What the command line of `florelle` asks for.
struct AppOptions {
    enum class Action { run, version, info, help };

    // Which screen a run shows: the diary's main screen, the platform demo,
    // the same with the tour of the controls over it, the month calendar on
    // a scratch diary, the passcode dialogues and lock, or the diary on a
    // scratch folder with buttons that open the past period calendar.
    enum class Demo { none, platform, controls, calendar, passcode, pastPeriod };

    Action action = Action::run;
    Demo demo = Demo::none;
    bool headless = false;
    std::optional<std::filesystem::path> script;
    // Where a headless run without a script puts its picture of the first screen.
    std::optional<std::filesystem::path> screenshot;
    // The pixels of a headless run's pictures, the screen fitted in as a
    // phone's window shows it; without it, the screen at the scale.
    std::optional<Size> screenshotSize;
    double scale = 2;
    // Each frame the window presents (or a headless run's last) described.
    bool showFrames = false;
    // --status-bar on|off; without it the session decides.
    StatusBarChoice::Setting statusBar = StatusBarChoice::Setting::automatic;
    // The reminder whose button started the run.
    std::optional<LocalNotification> launchNotification;

    // Empty `error` means the arguments were understood.
    static AppOptions parse(const std::vector<std::string>& arguments, std::string& error);
    static const char* usage();
};

} // namespace florelle
