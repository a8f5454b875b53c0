// SPDX-License-Identifier: GPL-3.0-or-later
#include "SdlHandles.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace florelle {

SdlVideo::SdlVideo(const char* applicationId) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland,x11");
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
