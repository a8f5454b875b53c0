// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NavigationBar.h"
#include "NavigationControllerDelegate.h"
#include "ViewController.h"

#include <memory>
#include <vector>

namespace florelle {

// A stack of screens under a navigation bar. Pushing slides the new screen
// in from the right while the old one leaves to the left; popping does the
// reverse. Each screen hears will/did appear and disappear in that order:
// the leaving screen's viewWillDisappear, the coming one's viewWillAppear,
// then (after the slide) the leaving one's viewDidDisappear and the coming
// one's viewDidAppear. A push or pop asked for during a slide is ignored.
class NavigationController : public ViewController {
public:
    static constexpr double slideDuration = 0.35;

    explicit NavigationController(std::shared_ptr<ViewController> root);
    ~NavigationController() override;

    const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return stack_; }
    ViewController* topViewController() const;
    ViewController* visibleViewController() const;

    void pushViewController(std::shared_ptr<ViewController> controller, bool animated);
    // The screen taken off, or empty when only the first is left.
    std::shared_ptr<ViewController> popViewController(bool animated);
    void popToRootViewController(bool animated);
    bool isTransitioning() const { return transitioning_; }

    const std::shared_ptr<NavigationBar>& navigationBar();
    bool isNavigationBarHidden() const { return barHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated);
    // Shows the top screen's title and buttons again after they changed.
    void updateNavigationBar();

    std::weak_ptr<NavigationControllerDelegate> delegate;

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

protected:
    void loadView() override;

private:
    Rect contentFrame();
    void transition(const std::shared_ptr<ViewController>& from,
                    const std::shared_ptr<ViewController>& to, bool forward, bool animated,
                    std::vector<std::shared_ptr<ViewController>> removed);
    void adopt(ViewController& controller);

    std::vector<std::shared_ptr<ViewController>> stack_;
    std::shared_ptr<NavigationBar> bar_;
    bool barHidden_ = false;
    bool transitioning_ = false;
};

} // namespace florelle
