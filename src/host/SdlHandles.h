#pragma once

#include <SDL.h>
#include <memory>

namespace florelle {

// SDL's video subsystem, started for the life of the object.
class SdlVideo {
public:
    // Throws std::runtime_error with SDL's reason when there is no display
    // (also when only a driver that shows nothing could start).
    SdlVideo();
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
    ~SdlVideo();
};

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

using SdlWindow = std::unique_ptr<SDL_Window, SdlWindowDeleter>;

} // namespace florelle
