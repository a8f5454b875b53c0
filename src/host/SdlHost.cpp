// SPDX-License-Identifier: GPL-3.0-or-later
#include "SdlHost.h"

#include "TouchInput.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "graphics/BitmapContext.h"
#include "platform/DesktopNotificationPresenter.h"
#include "ui/Animator.h"
#include "ui/Application.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

namespace {

constexpr long mouseFinger = -1;
// Half the screen's points still shows every control.
constexpr double smallestWindowScale = 0.5;

std::optional<Key> movingKey(SDL_Keycode code) {
    switch (code) {
    case SDLK_LEFT:
        return Key::left;
    case SDLK_RIGHT:
        return Key::right;
    case SDLK_UP:
        return Key::up;
    case SDLK_DOWN:
        return Key::down;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return Key::enter;
    case SDLK_PAGEUP:
        return Key::pageUp;
    case SDLK_PAGEDOWN:
        return Key::pageDown;
    default:
        return std::nullopt;
    }
}

std::runtime_error sdlError(const char* what) {
    return std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// The scale asked for, made smaller where the display could not show all
// of the window.
double openingScale(double scale) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return scale;
    }
    auto fit = HostScreen::fitInto({static_cast<double>(usable.w), static_cast<double>(usable.h)});
    return std::max(std::min(scale, fit.scale()), smallestWindowScale);
}

} // namespace

bool SdlHost::displayNamed() {
    auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return value && *value;
    };
    return named("DISPLAY") || named("WAYLAND_DISPLAY");
}

SdlHost::SdlHost(double scale, StatusBarChoice statusBar)
    : video_(DesktopNotificationPresenter::desktopEntry), statusBar_(statusBar),
      textInput_([](bool on) { on ? SDL_StartTextInput() : SDL_StopTextInput(); }) {
    scale = openingScale(scale);
    window_.reset(
        SDL_CreateWindow("Florelle", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         static_cast<int>(std::ceil(HostScreen::size.width * scale)),
                         static_cast<int>(std::ceil(HostScreen::size.height * scale)),
                         SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
    if (!window_) {
        throw sdlError("cannot open a window");
    }
    SDL_SetWindowMinimumSize(window_.get(),
                             static_cast<int>(HostScreen::size.width * smallestWindowScale),
                             static_cast<int>(HostScreen::size.height * smallestWindowScale));
    // The frames are drawn by the processor. On X11 (whose windows have as
    // many pixels as points) they are copied straight into the window's own
    // buffer, just the changed rectangles, where GL would draw the whole
    // window again for each frame, in software where there is no graphics
    // chip, and a renderer's texture would hold each frame a second time.
    // SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION still pick a renderer.
    if (std::string_view(SDL_GetCurrentVideoDriver()) == "x11") {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        direct_ = !std::getenv("SDL_RENDER_DRIVER");
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    }
    if (!direct_) {
        renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
        if (!renderer_) {
            throw sdlError("cannot draw in the window");
        }
        SDL_RendererInfo info;
        keepsItsPixels_ = SDL_GetRendererInfo(renderer_.get(), &info) == 0 &&
                          (info.flags & SDL_RENDERER_SOFTWARE);
    }
    if (!resize()) {
        throw sdlError("cannot draw in the window");
    }
}

SdlHost::~SdlHost() {
    SDL_StopTextInput();
}

void SdlHost::raise() {
    if ((SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_MINIMIZED) != 0) {
        SDL_RestoreWindow(window_.get());
    }
    SDL_RaiseWindow(window_.get());
}

Point SdlHost::mousePoint(int x, int y) const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_.get(), &width, &height);
    Point point =
        fit_.pointAtWindowPosition({static_cast<double>(x), static_cast<double>(y)},
                                   {static_cast<double>(width), static_cast<double>(height)});
    return {point.x, point.y + top_};
}

void SdlHost::followStatusBar(Application& application) {
    application.setStatusBarHidden(!statusBar_.shown(fillsPortraitScreen()));
}

bool SdlHost::fillsPortraitScreen() const {
    SDL_Rect display;
    if ((SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN) == 0 ||
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_.get()), &display) != 0) {
        return false;
    }
    return display.h > display.w;
}

int SdlHost::run(std::shared_ptr<ApplicationDelegate> delegate,
                 std::unique_ptr<Application> application, const LaunchOptions& options) {
    if (!application) {
        application = std::make_unique<Application>();
    }
    application->setDelegate(delegate);
    TouchInput input(*application);
    followStatusBar(*application);
    application->launch(options);
    application->activate();
    auto& loop = RunLoop::current();
    bool open = true;
    // Takes the window's events, waiting up to `wait` ms (-1: as long as it
    // takes) for the first or for the run loop to have work.
    auto takeEvents = [&](int wait) {
        SDL_Event event;
        if (!open) {
            return;
        }
        bool taken = false;
        if (wait == 0) {
            taken = SDL_PollEvent(&event);
        } else {
            loopWatch_.arm(loop.watchedDescriptors());
            taken = SDL_WaitEventTimeout(&event, wait);
            loopWatch_.disarm();
        }
        if (taken) {
            open = handle(event, *application, input);
            while (open && SDL_PollEvent(&event)) {
                open = handle(event, *application, input);
            }
        }
    };
    auto drawChanges = [&] {
        textInput_.follow(*application);
        if (open && !hidden_ && screen_.needsRender(*application)) {
            present(*application);
        }
    };
    textInput_.follow(*application);
    present(*application, true);
    // A handler waiting for the network runs the loop inside itself; the
    // window keeps drawing and taking taps (its Cancel) meanwhile.
    loop.setNestedRunPump(
        [&] {
            takeEvents(0);
            drawChanges();
        },
        1.0 / 60);
    while (open) {
        takeEvents(waitMilliseconds());
        loop.runOnce();
        drawChanges();
    }
    loop.setNestedRunPump(nullptr, 0);
    // The animation clock outlives the window.
    Animator::shared().setSuspended(false);
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
        return -1;
    }
    double milliseconds = std::ceil(next->secondsSince(Clock::current()->now()) * 1000);
    return static_cast<int>(std::clamp(milliseconds, 0.0, double(INT_MAX)));
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
            input.down(mouseFinger, mousePoint(event.button.x, event.button.y));
        }
        break;
    case SDL_MOUSEMOTION:
        if (event.motion.which != SDL_TOUCH_MOUSEID && (event.motion.state & SDL_BUTTON_LMASK)) {
            input.move(mouseFinger, mousePoint(event.motion.x, event.motion.y));
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.which != SDL_TOUCH_MOUSEID && event.button.button == SDL_BUTTON_LEFT) {
            input.up(mouseFinger, mousePoint(event.button.x, event.button.y));
        }
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
        if (event.tfinger.touchId == SDL_MOUSE_TOUCHID) {
            break;
        }
        Point point = fit_.pointAtFraction({event.tfinger.x, event.tfinger.y});
        point.y += top_;
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
        } else if (auto key = movingKey(event.key.keysym.sym)) {
            input.pressKey(*key);
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
        showWindow(true);
        present(application, true);
        application.activate();
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        application.activate();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        application.deactivate();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        showWindow(false);
        application.enterBackground();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        followStatusBar(application);
        present(application, true);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        showWindow(true);
        present(application, true);
        break;
    default:
        break;
    }
}

void SdlHost::showWindow(bool shown) {
    hidden_ = !shown;
    Animator::shared().setSuspended(hidden_);
}

bool SdlHost::canDraw() const {
    return direct_ ? windowSurface() != nullptr : texture_ != nullptr;
}

SDL_Surface* SdlHost::windowSurface() const {
    // Made again by SDL after the window changed size.
    return SDL_GetWindowSurface(window_.get());
}

bool SdlHost::resize() {
    int width = 0;
    int height = 0;
    if (direct_) {
        if (SDL_Surface* surface = windowSurface()) {
            width = surface->w;
            height = surface->h;
        }
    } else if (SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0) {
        return false;
    }
    if (width <= 0 || height <= 0) {
        return false;
    }
    Size pixels{static_cast<double>(width), static_cast<double>(height)};
    if (drawnOnce_ && fit_.pixels() == pixels && fit_.content() == shown_) {
        return false;
    }
    drawnOnce_ = true;
    fit_ = LetterboxFit(shown_, pixels);
    if (!direct_) {
        texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_STREAMING, width, height));
    }
    if (!canDraw()) {
        Log::write(std::string("Cannot draw the window at its new size: ") + SDL_GetError());
    }
    return true;
}

void SdlHost::present(Application& application, bool whole) {
    shown_ = HostScreen::shownSize(application);
    top_ = HostScreen::windowTop(application);
    // A window of another size holds none of the last frame.
    whole = resize() || whole;
    if (!canDraw()) {
        return;
    }
    const PixelRegion& changed = screen_.present(application, fit_);
    if (changed.isEmpty() && !whole) {
        return;
    }
    // None: the whole frame.
    std::vector<SDL_Rect> areas;
    for (const Rect& rect : whole ? std::vector<Rect>{} : changed.rects()) {
        areas.push_back({static_cast<int>(rect.minX()), static_cast<int>(rect.minY()),
                         static_cast<int>(rect.width()), static_cast<int>(rect.height())});
    }
    // Cairo's ARGB32 is a native-endian word, as SDL's ARGB8888 is.
    if (direct_) {
        copyToWindow(screen_.frame(), areas);
    } else {
        sendThroughRenderer(screen_.frame(), areas);
    }
    if (frameLog_ && !changed.isEmpty()) {
        *frameLog_ << screen_.describeFrames() << std::endl;
    }
}

void SdlHost::copyToWindow(BitmapContext& frame, const std::vector<SDL_Rect>& areas) {
    SdlSurface source(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<unsigned char*>(frame.data()), frame.pixelWidth(), frame.pixelHeight(), 32,
        frame.bytesPerRow(), SDL_PIXELFORMAT_ARGB8888));
    SDL_Surface* target = windowSurface();
    if (!source || !target) {
        return;
    }
    SDL_SetSurfaceBlendMode(source.get(), SDL_BLENDMODE_NONE);
    if (areas.empty()) {
        SDL_BlitSurface(source.get(), nullptr, target, nullptr);
        SDL_UpdateWindowSurface(window_.get());
        return;
    }
    for (SDL_Rect area : areas) {
        SDL_BlitSurface(source.get(), &area, target, &area);
    }
    SDL_UpdateWindowSurfaceRects(window_.get(), areas.data(), static_cast<int>(areas.size()));
}

void SdlHost::sendThroughRenderer(BitmapContext& frame, const std::vector<SDL_Rect>& areas) {
    const unsigned char* pixels = frame.data();
    int stride = frame.bytesPerRow();
    bool whole = areas.empty();
    // A new texture holds nothing yet, not even the bars around the screen.
    if (whole) {
        SDL_UpdateTexture(texture_.get(), nullptr, pixels, stride);
    } else {
        for (const SDL_Rect& area : areas) {
            SDL_UpdateTexture(texture_.get(), &area, pixels + area.y * stride + area.x * 4, stride);
        }
    }
    if (keepsItsPixels_ && !whole) {
        // The window's buffer still holds the last frame.
        for (const SDL_Rect& area : areas) {
            SDL_RenderCopy(renderer_.get(), texture_.get(), &area, &area);
        }
    } else {
        SDL_RenderClear(renderer_.get());
        SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    }
    SDL_RenderPresent(renderer_.get());
}

} // namespace florelle
