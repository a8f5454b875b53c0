// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace florelle {

// A button of the navigation bar: a title of its own, or one of the system
// buttons, whose title the system gives.
class BarButtonItem {
public:
    enum class SystemItem { none, done, cancel, edit, save, add };
    enum class Style { plain, bordered, done };

    explicit BarButtonItem(std::string title, Style style = Style::bordered,
                           std::function<void()> action = {});
    explicit BarButtonItem(SystemItem item, std::function<void()> action = {});

    const std::string& title() const { return title_; }
    SystemItem systemItem() const { return systemItem_; }
    Style style() const { return style_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Called when the button is tapped.
    std::function<void()> action;

private:
    std::string title_;
    SystemItem systemItem_ = SystemItem::none;
    Style style_;
    bool enabled_ = true;
};

} // namespace florelle
