// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ApplicationDelegate.h"
#include "Event.h"
#include "Responder.h"
#include "foundation/SignificantTimeChangeWatcher.h"

#include <memory>

namespace florelle {

class View;
class Window;

// The running application: one per process, made by the host, which drives
// its life through launch(), activate() and the rest; the delegate hears each
// step once and in order (resigning comes before the background, the
// foreground before becoming active again). Touch events from the host enter
// through sendEvent(). The last responder of every chain. From launch on it
// watches for significant time changes (local midnight, clock, time zone),
// and looks again whenever it comes back from the background.
class Application : public Responder {
public:
    enum class State { notRunning, inactive, active, background };

    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application() override;

    // The application of the process, while one exists.
    static Application* sharedApplication();

    // Not owned; the host keeps the delegate alive.
    std::shared_ptr<ApplicationDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    State state() const { return state_; }
    // notRunning → inactive, then didFinishLaunching.
    void launch(const LaunchOptions& options = {});
    // inactive → active; from the background it passes through the foreground first.
    void activate();
    // active → inactive.
    void deactivate();
    // Deactivates first if needed, then goes to the background.
    void enterBackground();
    // The first responder resigns first, as when the keyboard is dismissed.
    void terminate();

    std::shared_ptr<Window> keyWindow() const { return keyWindow_.lock(); }
    void setKeyWindow(const std::shared_ptr<Window>& window) { keyWindow_ = window; }
    // The key window's first responder.
    std::shared_ptr<View> firstResponder() const;

    // Every touch event passes here first; the default hands it to the key
    // window. Override to look at events before they are dispatched.
    virtual void sendEvent(const Event& event);
    // A key that moves or acts: the first responder's while one edits text,
    // else the delegate's (which hands it to the screen on show). True when
    // it was used.
    bool sendKey(Key key);

    // Whether the host leaves out its status bar because the shell draws its
    // own: the window's top 20 points are then not shown, and the screen
    // below them gets that room.
    bool isStatusBarHidden() const { return statusBarHidden_; }
    void setStatusBarHidden(bool hidden) { statusBarHidden_ = hidden; }

private:
    std::weak_ptr<ApplicationDelegate> delegate_;
    std::weak_ptr<Window> keyWindow_;
    State state_ = State::notRunning;
    bool statusBarHidden_ = false;
    std::unique_ptr<SignificantTimeChangeWatcher> timeWatcher_;
};

} // namespace florelle
