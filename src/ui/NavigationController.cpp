// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigationController.h"

namespace florelle {

NavigationController::NavigationController(std::shared_ptr<ViewController> root) {
    if (root) {
        adopt(*root);
        stack_.push_back(std::move(root));
    }
}

NavigationController::~NavigationController() {
    for (auto& controller : stack_) {
        controller->navigationController_ = nullptr;
        controller->parent_ = nullptr;
    }
}

void NavigationController::adopt(ViewController& controller) {
    controller.navigationController_ = this;
    controller.parent_ = this;
}

ViewController* NavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back().get();
}

ViewController* NavigationController::visibleViewController() const {
    if (auto* modal = modalViewController()) {
        return modal;
    }
    return topViewController();
}

const std::shared_ptr<NavigationBar>& NavigationController::navigationBar() {
    view();
    return bar_;
}

void NavigationController::loadView() {
    auto container = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
    container->setClipsToBounds(true);
    bar_ = std::make_shared<NavigationBar>(Rect(0, 0, screenWidth, NavigationBar::height));
    std::weak_ptr<ViewController> weakSelf = weak_from_this();
    bar_->onBack = [weakSelf] {
        if (auto self = weakSelf.lock()) {
            static_cast<NavigationController&>(*self).popViewController(true);
        }
    };
    setView(container);
    if (!stack_.empty()) {
        auto& top = stack_.back()->view();
        top->setFrame(contentFrame());
        container->addSubview(top);
    }
    container->addSubview(bar_);
    bar_->setHidden(barHidden_);
    updateNavigationBar();
}

Rect NavigationController::contentFrame() {
    Rect area(Point{}, view()->bounds().size);
    if (barHidden_) {
        return area;
    }
    return Rect(0, NavigationBar::height, area.width(), area.height() - NavigationBar::height);
}

void NavigationController::updateNavigationBar() {
    if (!bar_ || stack_.empty()) {
        return;
    }
    const NavigationItem* below =
        stack_.size() > 1 ? &stack_[stack_.size() - 2]->navigationItem() : nullptr;
    bar_->showItem(stack_.back()->navigationItem(), below);
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> controller,
                                              bool animated) {
    if (!controller || transitioning_) {
        return;
    }
    auto from = stack_.empty() ? nullptr : stack_.back();
    adopt(*controller);
    stack_.push_back(controller);
    transition(from, controller, true, animated, {});
}

std::shared_ptr<ViewController> NavigationController::popViewController(bool animated) {
    if (stack_.size() < 2 || transitioning_) {
        return nullptr;
    }
    auto from = stack_.back();
    stack_.pop_back();
    transition(from, stack_.back(), false, animated, {from});
    return from;
}

void NavigationController::popToRootViewController(bool animated) {
    if (stack_.size() < 2 || transitioning_) {
        return;
    }
    auto from = stack_.back();
    std::vector<std::shared_ptr<ViewController>> removed(stack_.begin() + 1, stack_.end());
    stack_.resize(1);
    transition(from, stack_.back(), false, animated, std::move(removed));
}

void NavigationController::transition(const std::shared_ptr<ViewController>& from,
                                      const std::shared_ptr<ViewController>& to, bool forward,
                                      bool animated,
                                      std::vector<std::shared_ptr<ViewController>> removed) {
    if (!isViewLoaded()) {
        for (auto& gone : removed) {
            gone->navigationController_ = nullptr;
            gone->parent_ = nullptr;
        }
        return;
    }
    auto& container = view();
    Rect frame = contentFrame();
    double width = frame.width();
    auto& toView = to->view();
    std::shared_ptr<View> fromView = from ? from->view() : nullptr;

    if (auto listener = delegate.lock()) {
        listener->willShowViewController(*this, *to, animated);
    }
    if (from) {
        from->viewWillDisappear(animated);
    }
    to->viewWillAppear(animated);

    toView->setFrame(animated ? frame.offsetBy(forward ? width : -width, 0) : frame);
    container->insertSubviewBelow(toView, bar_.get());
    updateNavigationBar();

    transitioning_ = true;
    std::weak_ptr<ViewController> weakSelf = shared_from_this();
    auto finish = [weakSelf, from, to, fromView, animated, removed = std::move(removed)](bool) {
        if (fromView && fromView != to->view()) {
            fromView->removeFromSuperview();
        }
        for (auto& gone : removed) {
            gone->navigationController_ = nullptr;
            gone->parent_ = nullptr;
        }
        if (from) {
            from->viewDidDisappear(animated);
        }
        to->viewDidAppear(animated);
        auto self = std::static_pointer_cast<NavigationController>(weakSelf.lock());
        if (!self) {
            return;
        }
        self->transitioning_ = false;
        if (auto listener = self->delegate.lock()) {
            listener->didShowViewController(*self, *to, animated);
        }
    };
    View::animate(
        animated ? slideDuration : 0, 0, AnimationCurve::easeInOut,
        [&] {
            toView->setFrame(frame);
            if (fromView) {
                fromView->setFrame(frame.offsetBy(forward ? -width : width, 0));
            }
        },
        finish);
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    if (hidden == barHidden_) {
        return;
    }
    barHidden_ = hidden;
    if (!isViewLoaded()) {
        return;
    }
    Rect barFrame(0, hidden ? -NavigationBar::height : 0, view()->bounds().width(),
                  NavigationBar::height);
    if (!hidden) {
        bar_->setHidden(false);
    }
    std::weak_ptr<NavigationBar> weakBar = bar_;
    View::animate(
        animated ? 0.2 : 0, 0, AnimationCurve::easeInOut,
        [&] {
            bar_->setFrame(barFrame);
            if (auto* top = topViewController()) {
                top->view()->setFrame(contentFrame());
            }
        },
        [weakBar, hidden](bool) {
            if (auto bar = weakBar.lock(); bar && hidden) {
                bar->setHidden(true);
            }
        });
}

void NavigationController::viewWillAppear(bool animated) {
    if (auto* top = topViewController()) {
        top->viewWillAppear(animated);
    }
}

void NavigationController::viewDidAppear(bool animated) {
    if (auto* top = topViewController()) {
        top->viewDidAppear(animated);
    }
}

void NavigationController::viewWillDisappear(bool animated) {
    if (auto* top = topViewController()) {
        top->viewWillDisappear(animated);
    }
}

void NavigationController::viewDidDisappear(bool animated) {
    if (auto* top = topViewController()) {
        top->viewDidDisappear(animated);
    }
}

} // namespace florelle
