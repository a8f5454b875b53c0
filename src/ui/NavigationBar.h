// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Button.h"
#include "NavigationItem.h"
#include "View.h"

#include <functional>
#include <memory>

namespace florelle {

// The bar at the top of a navigation controller: the title of the screen on
// top in the middle, its left button (or a back button) and its right button.
class NavigationBar : public View {
public:
    static constexpr double height = 44;
    enum class Style { standard, black };

    explicit NavigationBar(const Rect& frame);

    Style barStyle() const { return style_; }
    void setBarStyle(Style style);

    // Shows the item of the screen on top; `below` is the item of the screen
    // under it, if any, whose title the back button takes.
    void showItem(const NavigationItem& item, const NavigationItem* below);
    const std::string& title() const { return title_; }
    // The buttons on show, empty where there is none.
    const std::shared_ptr<Button>& leftButton() const { return left_; }
    const std::shared_ptr<Button>& rightButton() const { return right_; }
    bool showsBackButton() const { return showsBack_; }

    // Called when the back button is tapped.
    std::function<void()> onBack;

    std::string displayedText() const override { return title_; }
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    std::shared_ptr<Button> makeButton(const std::string& title, std::function<void()> action,
                                       bool leftSide);

    Style style_ = Style::standard;
    std::string title_;
    std::shared_ptr<Button> left_;
    std::shared_ptr<Button> right_;
    bool showsBack_ = false;
};

} // namespace florelle
