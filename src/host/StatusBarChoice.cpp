// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusBarChoice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace florelle {

namespace {

std::string lowercaseVariable(const char* name) {
    const char* value = std::getenv(name);
    std::string text = value ? value : "";
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char letter) { return std::tolower(letter); });
    return text;
}

} // namespace

bool StatusBarChoice::phoneShell() {
    // Phosh names itself in the desktop list ("Phosh:GNOME"); Plasma Mobile
    // says KDE there and tells its phone form apart by the platform
    // ("phone", "phone:handset").
    if (lowercaseVariable("XDG_CURRENT_DESKTOP").find("phosh") != std::string::npos) {
        return true;
    }
    return lowercaseVariable("PLASMA_PLATFORM").starts_with("phone");
}

bool StatusBarChoice::shown(bool fillsPortraitScreen) const {
    switch (setting_) {
    case Setting::on:
        return true;
    case Setting::off:
        return false;
    case Setting::automatic:
        break;
    }
    return !fillsPortraitScreen && !phoneShell();
}

} // namespace florelle
