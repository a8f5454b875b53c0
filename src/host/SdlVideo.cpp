#include "SdlHandles.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace florelle {

SdlVideo::SdlVideo() {
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
