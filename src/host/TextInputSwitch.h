// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

namespace florelle {

class Application;

// Tells the platform whether text is being edited: on while a text input is
// the application's first responder, off while none is, so that a phone
// shell shows its own keyboard and input methods wake only when there is
// somewhere to type. The host calls follow() after every pass of its run
// loop; the switch is turned on the first call and then only on a change.
class TextInputSwitch {
public:
    explicit TextInputSwitch(std::function<void(bool on)> turn) : turn_(std::move(turn)) {}

    void follow(const Application& application);
    bool isOn() const { return on_.value_or(false); }

private:
    std::function<void(bool on)> turn_;
    std::optional<bool> on_;
};

} // namespace florelle
