// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HostScreen.h"
#include "TouchInput.h"
#include "foundation/Clock.h"
#include "ui/Application.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace florelle {

class Window;

// Runs an application without a window, for tests and scripts. Its manual
// clock is the current clock while the host lives; time moves only through
// advance(), which runs the run loop so that timers, animation ticks and
// completions happen as they would have. Touches and typing are given as
// calls; the screen can be rendered to a picture or PNG and described as text.
class HeadlessHost {
public:
    // The application is made here unless given (a subclass of Application).
    HeadlessHost(std::shared_ptr<ApplicationDelegate> delegate, Date start, double scale = 2,
                 std::unique_ptr<Application> application = nullptr);
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;
    // Terminates the application and puts the previous clock back.
    ~HeadlessHost();

    // Launches and activates the application, then runs what it posted.
    void launch(const LaunchOptions& options = {});

    Application& application() { return *application_; }
    std::shared_ptr<Window> keyWindow() const { return application_->keyWindow(); }
    ManualClock& clock() { return *clock_; }
    HostScreen& screen() { return screen_; }
    TouchInput& input() { return input_; }
    double scale() const { return scale_; }
    // Pictures of the screen fill this many pixels, the screen scaled to fit
    // and centred between black bars, as a phone's window shows it; without
    // it they are the screen at the scale.
    void setPixelSize(std::optional<Size> pixels) { pixelSize_ = pixels; }
    LetterboxFit fit() const;

    // Moves the clock forward, stopping at every timer due on the way.
    void advance(double seconds);
    // A finger down and up at the point (window coordinates).
    void tap(Point point);
    // A finger down at `from`, moved in steps a frame apart to `to`, and up.
    void drag(Point from, Point to, int steps = 8);
    // Text for the first responder.
    void type(std::string_view text);
    // A key that moves or acts (see TouchInput::pressKey).
    void press(Key key);

    // With it on, the host presents a frame after every step in which
    // something shown changed, as a display would; off by default, frames
    // are presented only by render() and screenshot().
    void setPresentsFrames(bool presents) { presentsFrames_ = presents; }

    // Lays down what changed since the last frame (see HostScreen::present).
    const PixelRegion& present();
    // Presents a frame and returns a copy of the screen.
    Image render();
    // The screen with every view drawing afresh: what render() must show.
    Image renderAfresh();
    // False, with a log line, when the file cannot be written.
    bool screenshot(const std::filesystem::path& path);
    // ViewTreeDump of the key window; empty without one.
    std::string dump() const;

private:
    void settle();

    std::shared_ptr<Clock> previousClock_;
    std::shared_ptr<ManualClock> clock_;
    std::shared_ptr<ApplicationDelegate> delegate_;
    std::unique_ptr<Application> application_;
    double scale_;
    std::optional<Size> pixelSize_;
    bool presentsFrames_ = false;
    HostScreen screen_;
    TouchInput input_;
};

} // namespace florelle
