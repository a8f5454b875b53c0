// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class NavigationController;
class ViewController;

// Told which screen a navigation controller is about to show and has shown.
class NavigationControllerDelegate {
public:
    virtual ~NavigationControllerDelegate() = default;
    virtual void willShowViewController(NavigationController& navigation,
                                        ViewController& controller, bool animated) = 0;
    virtual void didShowViewController(NavigationController&, ViewController&, bool) {}
};

} // namespace florelle
