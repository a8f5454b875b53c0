// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace florelle {

// Which of SDL's video drivers the window may try. SDL's Wayland driver
// crashes under a compositor that offers no input seat (a headless one), so
// Wayland is tried only where the compositor's globals include a seat;
// otherwise X11 when a display names it, else none and the caller runs
// without a window.
struct VideoDriverChoice {
    // SDL's video driver hint ("wayland,x11" or "x11"); empty when no
    // display can be used.
    std::string drivers;
    // One line saying why Wayland was passed over; empty when it was not.
    std::string reason;

    // `waylandGlobals` are the interfaces the compositor offers, nullopt
    // when none answered; `x11Named` whether DISPLAY names an X server.
    static VideoDriverChoice choose(const std::optional<std::vector<std::string>>& waylandGlobals,
                                    bool x11Named);
};

// Connects to the Wayland compositor WAYLAND_DISPLAY names, as SDL would,
// reads the interfaces it offers and disconnects; nullopt when none is
// named or none answers.
std::optional<std::vector<std::string>> readWaylandGlobals();

} // namespace florelle
