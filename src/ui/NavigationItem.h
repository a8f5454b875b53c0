// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BarButtonItem.h"

#include <memory>
#include <string>

namespace florelle {

// What the navigation bar shows for one screen: its title and the buttons at
// the bar's ends. Without a left button a screen above the first gets a back
// button titled with the screen below's title, unless hidesBackButton.
struct NavigationItem {
    std::string title;
    std::shared_ptr<BarButtonItem> leftBarButtonItem;
    std::shared_ptr<BarButtonItem> rightBarButtonItem;
    bool hidesBackButton = false;
};

} // namespace florelle
