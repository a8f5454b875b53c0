// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PasscodeViewControllerDelegate.h"
#include "foundation/Timer.h"
#include "graphics/Color.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace florelle {

class NavigationController;
class PasscodeViewController;

// What the lock and the passcode dialogues do alike with the passcode
// panel: they show it in a navigation controller of its own, made on first
// use; a keystroke clears the last message; they title the bar and the
// pages; and an answer stays on show for a moment before what follows it.
class PasscodePanelOwner : public PasscodeViewControllerDelegate {
public:
    ~PasscodePanelOwner() override;

    const std::shared_ptr<PasscodeViewController>& passcodeViewController();
    const std::shared_ptr<NavigationController>& passcodeNavController();

    bool shouldChangePasscode(PasscodeViewController& panel, int panelView, long long passCode,
                              int lastNumber) override;

protected:
    // The owner itself, which the panel reports to.
    virtual std::shared_ptr<PasscodeViewControllerDelegate> panelDelegate() = 0;
    // What the owner adds to its panel when it is made.
    virtual void dressPanel() {}

    // A Cancel button on the left of the panel's bar.
    void addCancelButton(std::function<void()> cancel);
    // Stops an answer under way and empties the page in view and its message.
    void startEntry();
    // Stops an answer under way.
    void stopAnswer();
    // The bar's title and those of the pages from the first on (string keys).
    static void setTitles(PasscodeViewController& panel, const char* barKey,
                          std::initializer_list<const char*> pageKeys);
    // Shows `message` in `colour` and `delay` seconds later does `then`,
    // unless the entry starts again first.
    void answer(const std::string& message, Color colour, double delay, std::function<void()> then);

private:
    // Runs `action` while the owner is alive, holding it meanwhile: what
    // the action does may let go of the owner's last other holder.
    std::function<void()> whileAlive(std::function<void()> action);

    std::weak_ptr<PasscodeViewControllerDelegate> owner_;
    std::shared_ptr<PasscodeViewController> panel_;
    std::shared_ptr<NavigationController> navigation_;
    Timer answer_;
};

} // namespace florelle
