// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// Whether the host draws its own status bar over the top of the screen.
// Phone shells (Phosh, Plasma Mobile) draw theirs above every window, and a
// window filling a portrait screen is on a phone too; there a second bar only
// takes room, so the screen gets those points instead. The command line's
// `--status-bar on|off` overrides what the session says.
class StatusBarChoice {
public:
    enum class Setting { automatic, on, off };

    explicit StatusBarChoice(Setting setting = Setting::automatic) : setting_(setting) {}

    // Whether the session's variables name a phone shell.
    static bool phoneShell();
    bool shown(bool fillsPortraitScreen) const;

private:
    Setting setting_;
};

} // namespace florelle
