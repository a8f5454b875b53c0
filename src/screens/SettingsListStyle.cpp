// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsListStyle.h"

#include "PetalTable.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace florelle {

namespace {

const Color blueText(0, 0.35, 0.56);

std::shared_ptr<Label> label(const Rect& frame, const Font& font, int tag) {
    auto made = std::make_shared<Label>(frame);
    made->setFont(font);
    made->setBackgroundColor(Color::clear());
    made->setTag(tag);
    return made;
}

} // namespace

std::shared_ptr<TableView> SettingsListStyle::makeTable(double width, double height) {
    auto table = std::make_shared<TableView>(Rect(0, 0, width, height), TableView::Style::grouped);
    table->setBackgroundColor(Color::clear());
    table->setSectionHeaderHeight(headerHeight);
    return table;
}

std::shared_ptr<TableViewCell> SettingsListStyle::makeTwoLineCell(const std::string& identifier,
                                                                  double subtitleY) {
    auto cell = std::make_shared<TableViewCell>(identifier);
    cell->contentView()->addSubview(
        label(Rect(8, 5, 290, 20), Font::boldSystemFont(15), topLblTag));
    cell->contentView()->addSubview(
        label(Rect(8, subtitleY, 290, 15), Font::systemFont(12), bottomLblTag));
    return cell;
}

void SettingsListStyle::fillTwoLineCell(TableViewCell& cell, const std::string& title,
                                        const std::string& subtitle, int skin, bool available) {
    applyRowBackground(cell, skin);
    auto& content = *cell.contentView();
    for (auto [tag, text] : {std::pair{topLblTag, &title}, std::pair{bottomLblTag, &subtitle}}) {
        auto found = std::static_pointer_cast<Label>(content.viewWithTag(tag));
        found->setText(*text);
        found->setTextColor(rowTextColor(skin));
        found->setAlpha(available ? 1 : unavailableAlpha);
    }
    cell.setSelectionStyle(available ? selectionStyle(skin) : TableViewCell::SelectionStyle::none);
}

void SettingsListStyle::applyRowBackground(TableViewCell& cell, int skin) {
    auto background = std::make_shared<View>();
    background->setBackgroundColor(
        Color::pattern(Image::named(PetalTable::picture("cell_%d.png", skin))));
    cell.setBackgroundView(background);
}

std::shared_ptr<View> SettingsListStyle::makeHeader(const std::string& title, double width,
                                                    int skin) {
    auto header = std::make_shared<View>(Rect(0, 0, width + 8, headerHeight));
    header->setBackgroundColor(Color::clear());
    auto text = label(Rect(8, 0, width, 20), Font::boldSystemFont(17), 0);
    text->setText(title);
    text->setTextColor(headerTextColor(skin));
    header->addSubview(text);
    return header;
}

TableViewCell::SelectionStyle SettingsListStyle::selectionStyle(int skin) {
    // Blue text would vanish on the blue highlight.
    return skin == 2 ? TableViewCell::SelectionStyle::gray : TableViewCell::SelectionStyle::blue;
}

Color SettingsListStyle::rowTextColor(int skin) {
    return skin == 2 ? blueText : Color::white();
}

Color SettingsListStyle::headerTextColor(int skin) {
    switch (skin) {
    case 1:
        // Skin 1's pages are pale: its dark caption ink reads where white vanished.
        return {0.220, 0.239, 0.255};
    case 2:
        return blueText;
    default:
        // The darker end of skin 0's row picture, as a plain colour: the
        // picture's edge stripe would cut through the first letter.
        return {0.584, 0.141, 0.349};
    }
}

} // namespace florelle
