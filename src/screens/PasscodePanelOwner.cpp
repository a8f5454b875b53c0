// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodePanelOwner.h"

#include "PasscodePage.h"
#include "PasscodeViewController.h"
#include "foundation/Strings.h"
#include "ui/BarButtonItem.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"

#include <iterator>

namespace florelle {

PasscodePanelOwner::~PasscodePanelOwner() = default;

const std::shared_ptr<PasscodeViewController>& PasscodePanelOwner::passcodeViewController() {
    if (!panel_) {
        owner_ = panelDelegate();
        panel_ = std::make_shared<PasscodeViewController>(owner_);
        navigation_ = std::make_shared<NavigationController>(panel_);
        dressPanel();
    }
    return panel_;
}

const std::shared_ptr<NavigationController>& PasscodePanelOwner::passcodeNavController() {
    passcodeViewController();
    return navigation_;
}

bool PasscodePanelOwner::shouldChangePasscode(PasscodeViewController& panel, int, long long, int) {
    panel.summaryLabel()->setText("");
    return true;
}

std::function<void()> PasscodePanelOwner::whileAlive(std::function<void()> action) {
    // The owner is known once the panel is made.
    passcodeViewController();
    return [owner = owner_, action = std::move(action)] {
        if (auto alive = owner.lock()) {
            action();
        }
    };
}

void PasscodePanelOwner::addCancelButton(std::function<void()> cancel) {
    auto pressed = whileAlive(std::move(cancel));
    passcodeViewController()->navigationItem().leftBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, std::move(pressed));
}

void PasscodePanelOwner::stopAnswer() {
    answer_.invalidate();
}

void PasscodePanelOwner::startEntry() {
    stopAnswer();
    auto& panel = passcodeViewController();
    panel->clearPanel();
    panel->summaryLabel()->setText("");
}

void PasscodePanelOwner::setTitles(PasscodeViewController& panel, const char* barKey,
                                   std::initializer_list<const char*> pageKeys) {
    panel.setBarTitle(Strings::localized(barKey));
    const int pages[] = {PasscodeViewController::firstPanel, PasscodeViewController::secondPanel,
                         PasscodeViewController::thirdPanel};
    std::size_t index = 0;
    for (const char* key : pageKeys) {
        if (index < std::size(pages)) {
            panel.page(pages[index++])->titleLabel()->setText(Strings::localized(key));
        }
    }
}

void PasscodePanelOwner::answer(const std::string& message, Color colour, double delay,
                                std::function<void()> then) {
    auto summary = passcodeViewController()->summaryLabel();
    summary->setText(message);
    summary->setTextColor(colour);
    answer_ = Timer(delay, false, whileAlive(std::move(then)));
}

} // namespace florelle
