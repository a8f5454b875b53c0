// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeSheet.h"

#include "ui/NavigationController.h"
#include "ui/Window.h"

namespace florelle {

namespace {

const Rect shownFrame(0, 20, 320, 460);
const Rect belowFrame(0, 460, 320, 460);

} // namespace

void PasscodeSheet::present(NavigationController& navigation, Window& window) {
    auto shown = navigation.view();
    *presented_ = true;
    shown->setFrame(Rect(0, window.bounds().height(), shownFrame.width(), shownFrame.height()));
    window.addSubview(shown);
    navigation.viewWillAppear(true);
    View::animate(slideDuration, [&] { shown->setFrame(shownFrame); });
}

void PasscodeSheet::dismiss(NavigationController& navigation) {
    if (!*presented_) {
        return;
    }
    *presented_ = false;
    auto shown = navigation.view();
    std::weak_ptr<View> weakShown = shown;
    View::animate(
        slideDuration, [&] { shown->setFrame(belowFrame); },
        [weakShown, presented = presented_](bool) {
            auto view = weakShown.lock();
            if (view && !*presented) {
                view->removeFromSuperview();
            }
        });
}

} // namespace florelle
