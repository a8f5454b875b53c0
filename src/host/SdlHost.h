// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HostScreen.h"
#include "LetterboxFit.h"
#include "LoopDescriptorWatch.h"
#include "SdlHandles.h"
#include "StatusBarChoice.h"
#include "TextInputSwitch.h"
#include "ui/ApplicationDelegate.h"

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

namespace florelle {

class Application;
class BitmapContext;
class ApplicationDelegate;
class TouchInput;

// Runs an application in a real window, on Wayland or else X11. The window
// opens at 320 × 480 points times the scale and can be resized or
// maximised: the screen (the status bar over its top) is scaled uniformly
// to fill it, centred between black bars, and drawn at the window's real
// pixel size on HiDPI displays. The status bar is left out where the
// choice says the shell draws its own (also when the window fills a
// portrait screen), and the screen below it fills the window instead. The
// mouse and touch screens give touches at the matching points, the keyboard
// gives text to the first responder and its arrows, Enter and page keys to
// the application, and the platform's text input is on only while a text
// input is first responder. Showing and focusing the window makes the
// application active, losing focus resigns it, minimising sends it to the
// background and closing terminates it. A frame is presented only when
// something shown changed, sixty times a second while something animates,
// and only the pixels that changed are laid down and sent to the window;
// while the window is minimised or hidden nothing is drawn and animations
// wait (see Animator::setSuspended).
// Between events the run loop's timers and tasks are served; while nothing
// is due the host sleeps until an event or a task from another thread comes.
class SdlHost {
public:
    // Opens the window; throws std::runtime_error saying why when no display
    // can be reached.
    explicit SdlHost(double scale = 2, StatusBarChoice statusBar = StatusBarChoice());
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;
    ~SdlHost();

    // Whether the environment names a display at all (X11 or Wayland).
    static bool displayNamed();

    // Brings the window to the front, restored when it was minimised.
    void raise();

    // Each frame presented is described on the stream (see
    // HostScreen::describeFrames); none when null, as by default.
    void setFrameLog(std::ostream* log) { frameLog_ = log; }

    // Runs the application until the window is closed; returns the exit
    // status. The application is made here unless given.
    int run(std::shared_ptr<ApplicationDelegate> delegate,
            std::unique_ptr<Application> application = nullptr, const LaunchOptions& options = {});

private:
    // False once the window was closed.
    bool handle(const SDL_Event& event, Application& application, TouchInput& input);
    void handleWindowEvent(const SDL_WindowEvent& event, Application& application);
    // Follows the window's pixel size: the fit, the texture and the pixels;
    // true when the size changed.
    bool resize();
    // Shows or hides the status bar as the choice says for the window now.
    void followStatusBar(Application& application);
    bool fillsPortraitScreen() const;
    // Lays down what changed and shows it; `whole` sends the whole frame
    // again even when nothing changed (the window was uncovered).
    void present(Application& application, bool whole = false);
    // Drawing and the animation clock stop while the window is not shown.
    void showWindow(bool shown);
    // The changed areas of the frame (all of it when none are given) into
    // the window's own buffer, or through the renderer's texture.
    void copyToWindow(BitmapContext& frame, const std::vector<SDL_Rect>& areas);
    void sendThroughRenderer(BitmapContext& frame, const std::vector<SDL_Rect>& areas);
    bool canDraw() const;
    SDL_Surface* windowSurface() const;
    // How long the window may wait for events: until the run loop's next
    // timer, -1 for as long as it takes.
    int waitMilliseconds() const;
    Point mousePoint(int x, int y) const;

    SdlVideo video_;
    SdlWindow window_;
    SdlRenderer renderer_;
    SdlTexture texture_;
    StatusBarChoice statusBar_;
    LetterboxFit fit_{HostScreen::size, HostScreen::size};
    // The screen's points and the window's y at their top.
    Size shown_ = HostScreen::size;
    double top_ = 0;
    HostScreen screen_;
    TextInputSwitch textInput_;
    LoopDescriptorWatch loopWatch_;
    std::ostream* frameLog_ = nullptr;
    // Whether what was presented stays in the window's buffer (the software
    // renderer), so that a frame need only copy what changed.
    bool keepsItsPixels_ = false;
    // Frames go straight into the window's buffer, without a renderer.
    bool direct_ = false;
    bool drawnOnce_ = false;
    bool hidden_ = false;
};

} // namespace florelle
