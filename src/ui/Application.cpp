// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "Window.h"

namespace florelle {

namespace {

Application* sharedInstance = nullptr;

} // namespace

Application::Application() {
    sharedInstance = this;
}

Application::~Application() {
    if (sharedInstance == this) {
        sharedInstance = nullptr;
    }
}

Application* Application::sharedApplication() {
    return sharedInstance;
}

void Application::launch(const LaunchOptions& options) {
    if (state_ != State::notRunning) {
        return;
    }
    state_ = State::inactive;
    timeWatcher_ = std::make_unique<SignificantTimeChangeWatcher>();
    if (auto listener = delegate()) {
        listener->didFinishLaunching(*this, options);
    }
}

void Application::activate() {
    if (state_ == State::background) {
        state_ = State::inactive;
        if (auto listener = delegate()) {
            listener->willEnterForeground(*this);
        }
        timeWatcher_->check();
    }
    if (state_ != State::inactive) {
        return;
    }
    state_ = State::active;
    if (auto listener = delegate()) {
        listener->didBecomeActive(*this);
    }
}

void Application::deactivate() {
    if (state_ != State::active) {
        return;
    }
    state_ = State::inactive;
    if (auto listener = delegate()) {
        listener->willResignActive(*this);
    }
}

void Application::enterBackground() {
    deactivate();
    if (state_ != State::inactive) {
        return;
    }
    state_ = State::background;
    if (auto listener = delegate()) {
        listener->didEnterBackground(*this);
    }
}

void Application::terminate() {
    if (state_ == State::notRunning) {
        return;
    }
    deactivate();
    // Text being typed ends as if the keyboard were dismissed, so a screen
    // that saves at the end of editing saves before the process goes.
    if (auto responder = firstResponder()) {
        responder->resignFirstResponder();
    }
    state_ = State::notRunning;
    timeWatcher_.reset();
    if (auto listener = delegate()) {
        listener->willTerminate(*this);
    }
}

std::shared_ptr<View> Application::firstResponder() const {
    auto window = keyWindow();
    return window ? window->firstResponder() : nullptr;
}

void Application::sendEvent(const Event& event) {
    if (auto window = keyWindow()) {
        window->sendEvent(event);
    }
}

bool Application::sendKey(Key key) {
    if (auto responder = firstResponder()) {
        return responder->keyPressed(key);
    }
    auto listener = delegate();
    return listener && listener->keyPressed(*this, key);
}

} // namespace florelle
