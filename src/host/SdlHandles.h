#pragma once

#include <SDL.h>
#include <memory>

namespace florelle {

// SDL's video subsystem, started for the life of the object.
class SdlVideo {
public:
    // Throws std::runtime_error with SDL's reason when there is no display.
    SdlVideo();
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
    ~SdlVideo();
};

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct SdlRendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct SdlTextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

using SdlWindow = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using SdlRenderer = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;
using SdlTexture = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;

} // namespace florelle
