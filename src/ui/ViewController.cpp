// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewController.h"

#include "Window.h"

namespace florelle {

const std::shared_ptr<View>& ViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) {
            view_ = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
        }
        viewDidLoad();
    }
    return view_;
}

void ViewController::loadView() {
    view_ = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
}

void ViewController::presentModalViewController(std::shared_ptr<ViewController> controller,
                                                bool animated) {
    Window* window = isViewLoaded() ? view_->window() : nullptr;
    if (!controller || modal_ || modalTransition_ || !window) {
        return;
    }
    modal_ = controller;
    controller->parent_ = this;
    auto& shown = controller->view();
    Rect bounds = window->bounds();
    shown->setFrame(bounds.offsetBy(0, animated ? bounds.height() : 0));

    controller->viewWillAppear(animated);
    viewWillDisappear(animated);
    window->addSubview(shown);

    std::weak_ptr<ViewController> weakSelf = shared_from_this();
    std::weak_ptr<ViewController> weakModal = controller;
    modalTransition_ = true;
    auto finish = [weakSelf, weakModal, animated](bool) {
        auto self = weakSelf.lock();
        auto modal = weakModal.lock();
        if (self) {
            self->modalTransition_ = false;
        }
        if (modal) {
            modal->viewDidAppear(animated);
        }
        if (self) {
            self->viewDidDisappear(animated);
        }
    };
    View::animate(
        animated ? modalDuration : 0, 0, AnimationCurve::easeOut, [&] { shown->setFrame(bounds); },
        finish);
}

void ViewController::dismissModalViewController(bool animated) {
    if (!modal_) {
        if (parent_ && parent_->modal_.get() == this) {
            parent_->dismissModalViewController(animated);
        }
        return;
    }
    if (modalTransition_) {
        return;
    }
    auto controller = modal_;
    auto shown = controller->view();
    controller->viewWillDisappear(animated);
    viewWillAppear(animated);

    std::weak_ptr<ViewController> weakSelf = shared_from_this();
    modalTransition_ = true;
    auto finish = [weakSelf, controller, shown, animated](bool) {
        shown->removeFromSuperview();
        controller->viewDidDisappear(animated);
        controller->parent_ = nullptr;
        if (auto self = weakSelf.lock()) {
            self->modal_.reset();
            self->modalTransition_ = false;
            self->viewDidAppear(animated);
        }
    };
    Rect frame = shown->frame();
    View::animate(
        animated ? modalDuration : 0, 0, AnimationCurve::easeIn,
        [&] { shown->setFrame(frame.offsetBy(0, frame.height())); }, finish);
}

} // namespace florelle
