// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Color.h"
#include "ui/TableViewCell.h"

#include <memory>
#include <string>

namespace florelle {

class TableView;
class View;

// The skin look shared by the lists of the settings page (settings,
// lengths, skins): rows on the skin's cell picture with a title and a
// subtitle found again by tag, and group headers in the skin's colour.
class SettingsListStyle {
public:
    static constexpr int topLblTag = 101;
    static constexpr int bottomLblTag = 102;
    static constexpr int leftImgTag = 103;
    static constexpr double headerHeight = 25;
    // How much a row that leads nowhere yet is faded.
    static constexpr double unavailableAlpha = 0.35;

    // A grouped list over the page's background, filling `width` by `height`.
    static std::shared_ptr<TableView> makeTable(double width, double height);
    // A row of two labels: a bold title and below it, at `subtitleY`, a
    // smaller subtitle.
    static std::shared_ptr<TableViewCell> makeTwoLineCell(const std::string& identifier,
                                                          double subtitleY);
    // Puts the texts and the skin on a row made by makeTwoLineCell.
    static void fillTwoLineCell(TableViewCell& cell, const std::string& title,
                                const std::string& subtitle, int skin, bool available);
    // The skin's cell picture behind a row.
    static void applyRowBackground(TableViewCell& cell, int skin);
    // A group title, `width` wide.
    static std::shared_ptr<View> makeHeader(const std::string& title, double width, int skin);

    static TableViewCell::SelectionStyle selectionStyle(int skin);
    static Color rowTextColor(int skin);
    static Color headerTextColor(int skin);
};

} // namespace florelle
