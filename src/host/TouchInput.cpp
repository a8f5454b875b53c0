// SPDX-License-Identifier: GPL-3.0-or-later
#include "TouchInput.h"

#include "foundation/Clock.h"
#include "ui/Application.h"
#include "ui/View.h"

namespace florelle {

namespace {

Date now() {
    return Clock::current()->now();
}

} // namespace

void TouchInput::send(const std::shared_ptr<Touch>& touch) {
    application_.sendEvent(Event({touch}, touch->timestamp()));
}

void TouchInput::down(long finger, Point location) {
    if (isDown(finger)) {
        move(finger, location);
        return;
    }
    auto touch = std::make_shared<Touch>(location, now());
    touches_[finger] = touch;
    send(touch);
}

void TouchInput::move(long finger, Point location) {
    auto found = touches_.find(finger);
    if (found == touches_.end() || found->second->locationInWindow() == location) {
        return;
    }
    found->second->update(TouchPhase::moved, location, now());
    send(found->second);
}

void TouchInput::up(long finger, Point location) {
    auto found = touches_.find(finger);
    if (found == touches_.end()) {
        return;
    }
    auto touch = found->second;
    touches_.erase(found);
    touch->update(TouchPhase::ended, location, now());
    send(touch);
}

void TouchInput::cancelAll() {
    auto touches = std::move(touches_);
    touches_.clear();
    for (auto& [finger, touch] : touches) {
        touch->update(TouchPhase::cancelled, touch->locationInWindow(), now());
        send(touch);
    }
}

void TouchInput::insertText(std::string_view text) {
    if (auto responder = application_.firstResponder()) {
        responder->insertText(text);
    }
}

void TouchInput::pressKey(Key key) {
    if (key == Key::enter && application_.firstResponder()) {
        insertText("\n");
        return;
    }
    application_.sendKey(key);
}

void TouchInput::deleteBackward() {
    if (auto responder = application_.firstResponder()) {
        responder->deleteBackward();
    }
}

} // namespace florelle
