// SPDX-License-Identifier: GPL-3.0-or-later
#include "SummaryRows.h"

#include "foundation/Strings.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

#include <string>

namespace florelle {

namespace {

const Color rowColor{0.33, 0.41, 0.61, 1};
constexpr const char* summaryCell = "summaryCell";
constexpr const char* addCell = "addCell";
constexpr int firstTag = 1;
constexpr int secondTag = 2;
constexpr int cycleTag = 3;

// The three columns of a date row, for rows with an editing control.
struct Column {
    int tag;
    double x;
    double width;
    TextAlignment alignment;
};
constexpr Column columns[] = {{firstTag, 10, 150, TextAlignment::Left},
                              {secondTag, 120, 130, TextAlignment::Left},
                              {cycleTag, 210, 70, TextAlignment::Center}};

std::string text(std::string_view key) {
    return Strings::localized(key);
}

std::shared_ptr<Label> makeLabel(const Rect& frame, const Font& font,
                                 TextAlignment alignment = TextAlignment::Left) {
    return Label::caption(frame, font, Color::white(), alignment);
}

Label& cellLabel(TableViewCell& cell, int tag) {
    return static_cast<Label&>(*cell.contentView()->viewWithTag(tag));
}

std::shared_ptr<TableViewCell> newRow(const char* identifier) {
    auto cell = std::make_shared<TableViewCell>(identifier);
    auto background = std::make_shared<View>(Rect(0, 0, 320, SummaryRows::rowHeight));
    background->setBackgroundColor(rowColor);
    cell->setBackgroundView(background);
    return cell;
}

} // namespace

SummaryRows::SummaryRows() : dateFormatter_(CalDateFormatter::Style::medium) {}

std::shared_ptr<TableViewCell> SummaryRows::addRow(TableView& table) const {
    auto cell = table.dequeueReusableCell(addCell);
    if (!cell) {
        cell = newRow(addCell);
        auto label = makeLabel(Rect(42, 5, 250, 20), Font::boldSystemFont(15));
        label->setText(text("Add past periods Key"));
        cell->contentView()->addSubview(label);
    }
    return cell;
}

std::shared_ptr<TableViewCell> SummaryRows::dateRow(TableView& table, const PeriodSummary::Row& row,
                                                    bool editable, bool ovulation) const {
    auto cell = table.dequeueReusableCell(summaryCell);
    if (!cell) {
        cell = newRow(summaryCell);
        for (const Column& column : columns) {
            auto label = makeLabel(Rect(column.x, 5, column.width, 20), Font::systemFont(15),
                                   column.alignment);
            label->setTag(column.tag);
            cell->contentView()->addSubview(label);
        }
    }
    cell->setSelectionStyle(editable ? TableViewCell::SelectionStyle::blue
                                     : TableViewCell::SelectionStyle::none);
    double indent = editable ? 0 : TableViewCell::editingIndent;
    for (const Column& column : columns) {
        Label& label = cellLabel(*cell, column.tag);
        Rect frame = label.frame();
        frame.origin.x = column.x + indent;
        label.setFrame(frame);
    }
    cellLabel(*cell, firstTag).setText(row.from == Date() ? "/" : dateText(row.from));
    cellLabel(*cell, secondTag)
        .setText(ovulation          ? ""
                 : row.to == Date() ? text("Still counting Key")
                                    : dateText(row.to));
    cellLabel(*cell, cycleTag).setText(row.cycleLength ? std::to_string(*row.cycleLength) : "/");
    return cell;
}

std::shared_ptr<View> SummaryRows::header(bool ovulation) {
    auto header = std::make_shared<ImageView>(Rect(0, 0, 320, headerHeight));
    header->setImage(Image::named("viewHeader.png"));
    auto addTitle = [&header](double x, const char* key) {
        auto label = makeLabel(Rect(x, 1, 100, 18), Font::boldSystemFont(14));
        label->setText(text(key));
        header->addSubview(label);
    };
    addTitle(40, "Starts Key");
    if (!ovulation) {
        addTitle(150, "Ends Key");
    }
    addTitle(242, "Cycle len. Key");
    return header;
}

} // namespace florelle
