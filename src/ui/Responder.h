// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Event.h"
#include "Key.h"

#include <string_view>

namespace florelle {

// Something that handles touches. What a responder does not handle goes on
// to its next responder: a view's superview, then the window, then the
// application. The default of every handler passes the touches on.
class Responder {
public:
    virtual ~Responder() = default;

    virtual Responder* nextResponder() const { return nullptr; }

    virtual void touchesBegan(const Touches& touches, const Event& event);
    virtual void touchesMoved(const Touches& touches, const Event& event);
    virtual void touchesEnded(const Touches& touches, const Event& event);
    virtual void touchesCancelled(const Touches& touches, const Event& event);

    // Whether it takes keyboard input when asked to (text fields do).
    virtual bool canBecomeFirstResponder() const { return false; }

    // Keyboard input, sent to the first responder: typed text (UTF-8) and
    // the delete key. The default ignores both.
    virtual void insertText(std::string_view) {}
    virtual void deleteBackward() {}
    // A key that moves or acts, sent to the first responder; true when it
    // was used. The default uses none.
    virtual bool keyPressed(Key) { return false; }
};

} // namespace florelle
