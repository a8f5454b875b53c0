// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NavigationItem.h"
#include "View.h"

#include <memory>
#include <string>

namespace florelle {

class NavigationController;

// One screen: it owns its view, made on first use (loadView, then
// viewDidLoad), and hears when the view will and did appear and disappear.
// A controller may present another one modally over its screen: the modal
// screen slides up from the bottom edge and covers the window until it is
// dismissed.
class ViewController : public std::enable_shared_from_this<ViewController> {
public:
    // The size a screen's view gets unless its container says otherwise:
    // the window less the status bar.
    static constexpr double screenWidth = 320;
    static constexpr double screenHeight = 460;
    static constexpr double modalDuration = 0.3;

    ViewController() = default;
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;
    virtual ~ViewController() = default;

    // The view, loaded first when needed.
    const std::shared_ptr<View>& view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(std::shared_ptr<View> view) { view_ = std::move(view); }

    const std::string& title() const { return navigationItem_.title; }
    void setTitle(const std::string& title) { navigationItem_.title = title; }
    // What the navigation bar shows while this screen is on top.
    NavigationItem& navigationItem() { return navigationItem_; }

    // The navigation controller whose stack holds this screen, if any.
    NavigationController* navigationController() const { return navigationController_; }
    // The controller this one was presented from, or the one holding it in a stack.
    ViewController* parentViewController() const { return parent_; }
    ViewController* modalViewController() const { return modal_.get(); }

    // Shows the controller's view over the whole window this controller's
    // view is in. Nothing happens while another modal screen is up or when
    // this controller's view is not in a window.
    void presentModalViewController(std::shared_ptr<ViewController> controller, bool animated);
    // Takes down the modal screen this controller presented, or, called on
    // the modal screen itself, the one it is part of.
    void dismissModalViewController(bool animated);

    // The life of the view; the defaults do nothing.
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}

protected:
    // Makes the view; the default is an empty view of the screen's size.
    virtual void loadView();

private:
    friend class NavigationController;

    std::shared_ptr<View> view_;
    NavigationItem navigationItem_;
    NavigationController* navigationController_ = nullptr;
    ViewController* parent_ = nullptr;
    std::shared_ptr<ViewController> modal_;
    bool modalTransition_ = false;
};

} // namespace florelle
