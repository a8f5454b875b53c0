// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlertViewDelegate.h"
#include "Button.h"
#include "Label.h"
#include "View.h"

#include <memory>
#include <string>
#include <vector>

namespace florelle {

// A message in a box over the dimmed key window, with a title, a message and
// buttons; it takes every touch until one of its buttons is tapped. Two
// buttons stand side by side, otherwise they stand one above the other with
// the cancel button last. The window holds a shown alert; the delegate is
// not owned.
class AlertView : public View {
public:
    static constexpr double boxWidth = 284;
    static constexpr double fadeDuration = 0.2;

    // An empty cancel title makes no cancel button.
    AlertView(std::string title, std::string message, std::weak_ptr<AlertViewDelegate> delegate,
              const std::string& cancelButtonTitle, const std::vector<std::string>& otherTitles);

    const std::string& title() const { return title_; }
    const std::string& message() const { return message_; }
    int numberOfButtons() const { return static_cast<int>(buttons_.size()); }
    // -1 when there is no cancel button.
    int cancelButtonIndex() const { return hasCancel_ ? 0 : -1; }
    std::string buttonTitleAtIndex(int index) const;
    std::shared_ptr<Button> button(int index) const;

    // Fades the alert in over the key window; nothing happens without one or
    // when it is already shown.
    void show();
    bool isVisible() const { return visible_; }
    // Takes the alert down as if the button had been tapped, but without
    // telling clickedButtonAtIndex.
    void dismissWithClickedButtonIndex(int index, bool animated);

    std::weak_ptr<AlertViewDelegate> delegate;

private:
    void layoutBox(const Rect& area);
    void buttonTapped(int index);

    std::string title_;
    std::string message_;
    bool hasCancel_ = false;
    bool visible_ = false;
    std::shared_ptr<View> box_;
    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Label> messageLabel_;
    std::vector<std::shared_ptr<Button>> buttons_;
};

} // namespace florelle
