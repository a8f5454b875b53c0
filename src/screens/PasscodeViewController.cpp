// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeViewController.h"

#include "PasscodePage.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"

namespace florelle {

namespace {

bool isDigit(std::string_view text) {
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

long long valueOf(const std::string& digits) {
    long long value = 0;
    for (char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

} // namespace

PasscodeViewController::PasscodeViewController(
    std::weak_ptr<PasscodeViewControllerDelegate> delegate)
    : delegate_(std::move(delegate)) {}

void PasscodeViewController::loadView() {
    auto panel = std::make_shared<View>(Rect(0, 20, 320, 480));
    panel->setBackgroundColor(Color(0.741, 0.764, 0.89, 1));

    container_ = std::make_shared<View>(Rect(currentPanel_, 0, 960, 240));
    const int tags[] = {firstPanel, secondPanel, thirdPanel};
    for (std::size_t index = 0; index < pages_.size(); ++index) {
        pages_[index] = std::make_shared<PasscodePage>(tags[index]);
        container_->addSubview(pages_[index]);
    }
    panel->addSubview(container_);

    textField_ = std::make_shared<TextField>(Rect(0, 0, 0, 0));
    textField_->setTag(textFieldTag);
    textField_->setKeyboardType(KeyboardType::numberPad);
    textField_->setHidden(true);
    textField_->delegate = std::static_pointer_cast<PasscodeViewController>(shared_from_this());
    panel->addSubview(textField_);

    setView(panel);
}

std::shared_ptr<PasscodePage> PasscodeViewController::page(int tag) {
    view();
    for (const auto& candidate : pages_) {
        if (candidate->tag() == tag) {
            return candidate;
        }
    }
    return nullptr;
}

PasscodePage& PasscodeViewController::current() {
    return *page(currentPanel_);
}

const std::shared_ptr<View>& PasscodeViewController::containerView() {
    view();
    return container_;
}

void PasscodeViewController::setBarTitle(const std::string& title) {
    setTitle(title);
    if (auto* navigation = navigationController()) {
        navigation->updateNavigationBar();
    }
}

const std::shared_ptr<Label>& PasscodeViewController::titleLabel() {
    return current().titleLabel();
}

const std::shared_ptr<Label>& PasscodeViewController::summaryLabel() {
    return current().summaryLabel();
}

const std::shared_ptr<TextField>& PasscodeViewController::myTextField() {
    view();
    return textField_;
}

void PasscodeViewController::switchPanel(int x) {
    if (!page(x)) {
        return;
    }
    auto strip = containerView();
    View::animate(switchDuration, [&] {
        Rect frame = strip->frame();
        frame.origin.x = x;
        strip->setFrame(frame);
    });
    currentPanel_ = x;
    if (auto listener = delegate_.lock()) {
        listener->didShowPasscodePanel(*this, x);
    }
    clearPanel();
}

bool PasscodeViewController::nextPanel() {
    if (currentPanel_ == thirdPanel) {
        return false;
    }
    switchPanel(currentPanel_ - 320);
    return true;
}

bool PasscodeViewController::prevPanel() {
    if (currentPanel_ == firstPanel) {
        return false;
    }
    switchPanel(currentPanel_ + 320);
    return true;
}

void PasscodeViewController::clearPanel() {
    current().clear();
    textField_->setText("");
}

void PasscodeViewController::viewWillAppear(bool) {
    view();
    if (auto listener = delegate_.lock()) {
        listener->didShowPasscodePanel(*this, currentPanel_);
    }
}

bool PasscodeViewController::shouldChangeCharacters(TextField& field, TextRange range,
                                                    std::string_view replacement) {
    bool deletion = replacement.empty();
    // Pasted runs come back one character at a time; letters never count.
    if (!deletion && !isDigit(replacement)) {
        return false;
    }
    std::string next = field.text();
    if (range.location > next.size()) {
        return false;
    }
    next.replace(range.location, range.length, replacement);
    // A deletion addresses the box of the digit it removes.
    std::size_t position = next.size() + (deletion ? 1 : 0);
    if (position > PasscodePage::digits) {
        return false;
    }
    auto keepAlive = shared_from_this();
    int panel = currentPanel_;
    auto box = current().box(static_cast<int>(position));
    long long code = valueOf(next);
    auto listener = delegate_.lock();
    if (listener &&
        !listener->shouldChangePasscode(*this, panel, code, deletion ? 0 : replacement[0] - '0')) {
        return false;
    }
    box->setText(std::string(replacement));
    if (position < PasscodePage::digits || !listener) {
        return true;
    }
    std::string before = field.text();
    bool keep = listener->didEndPasscodeEditing(*this, panel, code);
    // A delegate that cleared the panel has already dealt with the field.
    return keep && field.text() == before;
}

} // namespace florelle
