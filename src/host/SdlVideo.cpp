// SPDX-License-Identifier: GPL-3.0-or-later
#include "SdlHandles.h"
#include "VideoDriverChoice.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace florelle {

namespace {

// Chooses the drivers SDL may try, unless SDL_VIDEODRIVER names drivers
// without Wayland; a compositor without a seat is passed over even then.
void chooseVideoDriver() {
    const char* forced = std::getenv("SDL_VIDEODRIVER");
    std::string_view forcedDrivers = forced ? forced : "";
    if (!forcedDrivers.empty() && forcedDrivers.find("wayland") == std::string_view::npos) {
        return;
    }
    if (std::getenv("WAYLAND_SOCKET")) {
        // The compositor that started us handed over a socket, which only
        // one connection can take: SDL's.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland,x11");
        return;
    }
    const char* display = std::getenv("DISPLAY");
    auto choice = VideoDriverChoice::choose(readWaylandGlobals(), display && *display);
    if (choice.drivers.empty()) {
        throw std::runtime_error(choice.reason);
    }
    if (!choice.reason.empty()) {
        std::fprintf(stderr, "Florelle: %s.\n", choice.reason.c_str());
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, choice.drivers.c_str(), SDL_HINT_OVERRIDE);
    } else if (forcedDrivers.empty()) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, choice.drivers.c_str());
    }
}

} // namespace

SdlVideo::SdlVideo(const char* applicationId) {
    chooseVideoDriver();
    // A finger gives touches; the mouse events SDL would make up from it
    // would press every control twice.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    // The shell matches the window to the launcher entry by this class (X11)
    // or app id (Wayland); SDL reads both from the environment.
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", applicationId, 0);
    setenv("SDL_VIDEO_X11_WMCLASS", applicationId, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("no display: ") + SDL_GetError());
    }
    // Without a display SDL may settle for a driver that shows nothing.
    std::string_view driver = SDL_GetCurrentVideoDriver();
    if (driver != "x11" && driver != "wayland" && driver != "kmsdrm") {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
        throw std::runtime_error("no display: only the \"" + std::string(driver) +
                                 "\" video driver could start");
    }
}

SdlVideo::~SdlVideo() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

} // namespace florelle
