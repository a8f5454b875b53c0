#include "SdlHost.h"

#include "TouchInput.h"
#include "foundation/Clock.h"
#include "foundation/RunLoop.h"
#include "graphics/GraphicsContext.h"
#include "ui/Application.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace florelle {

namespace {

// Tasks posted from other threads cannot wake SDL's wait; this bounds how
// late they run.
constexpr int longestWaitMilliseconds = 100;
constexpr long mouseFinger = -1;

std::runtime_error sdlError(const char* what) {
    return std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

} // namespace

bool SdlHost::displayNamed() {
    auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return value && *value;
    };
    return named("DISPLAY") || named("WAYLAND_DISPLAY");
}

SdlHost::SdlHost(double scale)
    : scale_(scale), pixelWidth_(static_cast<int>(std::ceil(HostScreen::size.width * scale))),
      pixelHeight_(static_cast<int>(std::ceil(HostScreen::size.height * scale))) {
    window_.reset(SDL_CreateWindow("Florelle", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   pixelWidth_, pixelHeight_, SDL_WINDOW_SHOWN));
    if (!window_) {
        throw sdlError("cannot open a window");
    }
    pixels_ =
        CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth_, pixelHeight_));
}

SdlHost::~SdlHost() {
    SDL_StopTextInput();
}

Point SdlHost::toPoints(int x, int y) const {
    return {x / scale_, y / scale_};
}

int SdlHost::run(std::shared_ptr<ApplicationDelegate> delegate,
                 std::unique_ptr<Application> application, const LaunchOptions& options) {
    if (!application) {
        application = std::make_unique<Application>();
    }
    application->setDelegate(delegate);
    TouchInput input(*application);
    application->launch(options);
    application->activate();
    SDL_StartTextInput();
    auto& loop = RunLoop::current();
    bool open = true;
    present(*application);
    while (open) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, waitMilliseconds())) {
            open = handle(event, *application, input);
            while (open && SDL_PollEvent(&event)) {
                open = handle(event, *application, input);
            }
        }
        loop.runOnce();
        if (open && screen_.needsRender(*application)) {
            present(*application);
        }
    }
    application->terminate();
    loop.runOnce();
    return 0;
}

int SdlHost::waitMilliseconds() const {
    auto& loop = RunLoop::current();
    if (loop.hasPendingTasks()) {
        return 0;
    }
    auto next = loop.nextTimerFireDate();
    if (!next) {
        return longestWaitMilliseconds;
    }
    double seconds = next->secondsSince(Clock::current()->now());
    return std::clamp(static_cast<int>(std::ceil(seconds * 1000)), 0, longestWaitMilliseconds);
}

bool SdlHost::handle(const SDL_Event& event, Application& application, TouchInput& input) {
    switch (event.type) {
    case SDL_QUIT:
        return false;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            return false;
        }
        handleWindowEvent(event.window, application);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.which != SDL_TOUCH_MOUSEID && event.button.button == SDL_BUTTON_LEFT) {
            input.down(mouseFinger, toPoints(event.button.x, event.button.y));
        }
        break;
    case SDL_MOUSEMOTION:
        if (event.motion.which != SDL_TOUCH_MOUSEID && (event.motion.state & SDL_BUTTON_LMASK)) {
            input.move(mouseFinger, toPoints(event.motion.x, event.motion.y));
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.which != SDL_TOUCH_MOUSEID && event.button.button == SDL_BUTTON_LEFT) {
            input.up(mouseFinger, toPoints(event.button.x, event.button.y));
        }
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
        // Finger positions come as fractions of the window.
        Point point{event.tfinger.x * HostScreen::size.width,
                    event.tfinger.y * HostScreen::size.height};
        auto finger = static_cast<long>(event.tfinger.fingerId & 0x7fffffff);
        if (event.type == SDL_FINGERDOWN) {
            input.down(finger, point);
        } else if (event.type == SDL_FINGERMOTION) {
            input.move(finger, point);
        } else {
            input.up(finger, point);
        }
        break;
    }
    case SDL_TEXTINPUT:
        input.insertText(event.text.text);
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_BACKSPACE) {
            input.deleteBackward();
        } else if (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER) {
            input.insertText("\n");
        }
        break;
    default:
        break;
    }
    return true;
}

void SdlHost::handleWindowEvent(const SDL_WindowEvent& event, Application& application) {
    switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        application.activate();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        application.deactivate();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        application.enterBackground();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        present(application);
        break;
    default:
        break;
    }
}

void SdlHost::present(Application& application) {
    {
        GraphicsContext context(pixels_, scale_);
        screen_.render(application, context);
    }
    cairo_surface_flush(pixels_.get());
    // The window's own pixels, in whatever format the display uses; SDL
    // converts from Cairo's ARGB32, a native-endian word as SDL's ARGB8888 is.
    SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
    if (!surface || surface->w != pixelWidth_ || surface->h != pixelHeight_) {
        return;
    }
    SDL_LockSurface(surface);
    SDL_ConvertPixels(pixelWidth_, pixelHeight_, SDL_PIXELFORMAT_ARGB8888,
                      cairo_image_surface_get_data(pixels_.get()),
                      cairo_image_surface_get_stride(pixels_.get()), surface->format->format,
                      surface->pixels, surface->pitch);
    SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window_.get());
}

} // namespace florelle
