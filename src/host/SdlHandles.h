// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>
#include <memory>

namespace florelle {

// SDL's video subsystem, started for the life of the object: Wayland when
// the session has it and its compositor offers an input seat, else X11
// (SDL_VIDEODRIVER in the environment chooses otherwise), windows known to
// the shell by the application id, fingers giving touches only.
class SdlVideo {
public:
    // Throws std::runtime_error with the reason when there is no display
    // (also when only a driver that shows nothing could start, or Wayland
    // offers no seat and X11 is not named). Says on stderr when it passes
    // over Wayland for X11.
    explicit SdlVideo(const char* applicationId);
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
    ~SdlVideo();
};

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

using SdlWindow = std::unique_ptr<SDL_Window, SdlWindowDeleter>;

struct SdlRendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};

using SdlRenderer = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;

struct SdlTextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

using SdlTexture = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

using SdlSurface = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

} // namespace florelle
