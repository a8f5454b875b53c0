// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace florelle {

class NavigationController;
class Window;

// Brings a passcode dialogue (the panel in its navigation controller) up
// from the bottom of a window, below the status bar, and takes it down again.
class PasscodeSheet {
public:
    static constexpr double slideDuration = 0.3;

    // Slides the dialogue up to (0, 20, 320, 460); the panel hears it appear.
    void present(NavigationController& navigation, Window& window);
    // Slides it down to (0, 460, 320, 460) and then takes it off the window.
    void dismiss(NavigationController& navigation);
    bool isPresented() const { return *presented_; }

private:
    // Shared with a slide-down under way, which must not take away a
    // dialogue brought up again meanwhile.
    std::shared_ptr<bool> presented_ = std::make_shared<bool>(false);
};

} // namespace florelle
