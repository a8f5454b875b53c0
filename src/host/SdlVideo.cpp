#include "SdlHandles.h"

#include <stdexcept>
#include <string>

namespace florelle {

SdlVideo::SdlVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("no display: ") + SDL_GetError());
    }
}

SdlVideo::~SdlVideo() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

} // namespace florelle
