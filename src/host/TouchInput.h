// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "ui/Event.h"
#include "ui/Key.h"

#include <map>
#include <memory>
#include <string_view>

namespace florelle {

class Application;

// Turns pointer input (mouse buttons, fingers, scripted touches) into touch
// events for the application, one Touch per finger from down to up, and
// keyboard input into text for the first responder. Locations are points in
// window coordinates; fingers are told apart by the caller's ids.
class TouchInput {
public:
    explicit TouchInput(Application& application) : application_(application) {}

    // A down for a finger that is already down is taken as a move.
    void down(long finger, Point location);
    // Moves and ups of fingers that are not down are ignored.
    void move(long finger, Point location);
    void up(long finger, Point location);
    // Every finger still down is cancelled (the window lost the pointer).
    void cancelAll();
    bool isDown(long finger) const { return touches_.count(finger) != 0; }

    // Text typed on the keyboard, and the delete key.
    void insertText(std::string_view text);
    void deleteBackward();
    // A key that moves or acts; Enter is a new line while text is edited.
    void pressKey(Key key);

private:
    void send(const std::shared_ptr<Touch>& touch);

    Application& application_;
    std::map<long, std::shared_ptr<Touch>> touches_;
};

} // namespace florelle
