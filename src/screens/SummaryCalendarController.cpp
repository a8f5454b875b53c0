// SPDX-License-Identifier: GPL-3.0-or-later
#include "SummaryCalendarController.h"

#include "PetalTable.h"
#include "SkinColors.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace florelle {

namespace {

// The calendar's own layout: the buttons and the title on top, the list of
// values under them, the month calendar below.
const Rect screenFrame{0, 0, 320, 460};
const Rect cancelFrame{8, 8, 80, 30};
const Rect addFrame{232, 8, 80, 30};
const Rect titleFrame{10, 44, 300, 26};
const Rect listFrame{0, 78, 320, 70};
const Rect calendarFrame{0, 150, 320, 310};
const Rect captionFrame{12, 7, 140, 21};
const Rect valueFrame{150, 7, 158, 21};
const Color rowColor{0.29, 0.36, 0.56, 0.9};
constexpr const char* cellIdentifier = "summaryCalendarCell";
constexpr int captionTag = 1;
constexpr int valueTag = 2;

std::string text(std::string_view key) {
    return Strings::localized(key);
}

std::shared_ptr<Button> makeButton(const Rect& frame, const std::string& title) {
    auto button = std::make_shared<Button>(frame);
    button->setTitle(title);
    button->setTitleFont(Font::boldSystemFont(14));
    return button;
}

std::shared_ptr<Label> makeRowLabel(const Rect& frame, int tag, TextAlignment alignment) {
    auto label = std::make_shared<Label>(frame);
    label->setTag(tag);
    label->setFont(Font::systemFont(16));
    label->setTextColor(Color::white());
    label->setBackgroundColor(Color::clear());
    label->setTextAlignment(alignment);
    return label;
}

Label& rowLabel(TableViewCell& cell, int tag) {
    return static_cast<Label&>(*cell.contentView()->viewWithTag(tag));
}

} // namespace

std::shared_ptr<SummaryCalendarController>
SummaryCalendarController::create(SummaryCalendarDelegate& delegate) {
    std::shared_ptr<SummaryCalendarController> controller(new SummaryCalendarController(delegate));
    controller->build();
    return controller;
}

SummaryCalendarController::SummaryCalendarController(SummaryCalendarDelegate& delegate)
    : delegate_(delegate), dataSource_(std::make_shared<SummaryCalendarDataSource>()),
      calViewController_(CalViewController::create()),
      dateFormatter_(CalDateFormatter::Style::medium) {}

void SummaryCalendarController::build() {
    view_ = std::make_shared<View>(screenFrame);
    view_->setClipsToBounds(true);
    backgroundView_ = std::make_shared<ImageView>(view_->bounds());
    view_->addSubview(backgroundView_);

    cancelButton_ = makeButton(cancelFrame, text("Cancel Key"));
    cancelButton_->onTouchUpInside = [this] { cancelClicked(); };
    view_->addSubview(cancelButton_);
    addButton_ = makeButton(addFrame, text("Add Key"));
    addButton_->onTouchUpInside = [this] { doneClicked(); };
    view_->addSubview(addButton_);

    titleLbl_ = std::make_shared<Label>(titleFrame);
    titleLbl_->setFont(Font::boldSystemFont(18));
    titleLbl_->setTextAlignment(TextAlignment::Center);
    view_->addSubview(titleLbl_);

    tableView_ = std::make_shared<TableView>(listFrame, TableView::Style::plain);
    tableView_->setRowHeight(rowHeight);
    tableView_->setBackgroundColor(Color::clear());
    tableView_->setScrollEnabled(false);
    tableView_->dataSource = weak_from_this();
    tableView_->setDelegate(shared_from_this());
    view_->addSubview(tableView_);

    calViewController_->setDelegate(weak_from_this());
    calViewController_->setDataSource(dataSource_);
    calViewController_->setViewFrame(calendarFrame);
    view_->addSubview(calViewController_->view());
}

void SummaryCalendarController::reloadData(Date startDate, Date endDate, int mode, bool,
                                           bool isNew) {
    startDate_ = startDate;
    endDate_ = endDate;
    mode_ = mode;
    isNew_ = isNew;
    Date now = Clock::current()->now();
    switch (mode) {
    case 1:
        dataSource_->setShadeDate(Date());
        dataSource_->setShadeFutureDate(endDate);
        break;
    case 2:
        dataSource_->setShadeDate(startDate);
        dataSource_->setShadeFutureDate(now);
        break;
    default:
        dataSource_->setShadeDate(Date());
        dataSource_->setShadeFutureDate(now);
        break;
    }
    calViewController_->reloadData();
}

void SummaryCalendarController::viewWillAppear() {
    tableView_->reloadData();
    tableView_->selectRow({0, 0}, false);
    setCalendarWithDate(startDate_);
    backgroundView_->setImage(Image::named(PetalTable::picture("bg_%d.jpg", skin_)));
    // The colour the main screen's labels have on the same background.
    titleLbl_->setTextColor(SkinColors::forSkin(skin_).centerLabel);
    addButton_->setBackgroundImage(Image::named(PetalTable::picture("button_%d.png", skin_)));
    cancelButton_->setBackgroundImage(Image::named(PetalTable::picture("button_%d.png", skin_)));
    for (const auto& button : {addButton_, cancelButton_}) {
        button->setTitleColor(SkinColors::forSkin(skin_).buttonTitle);
    }
    oldDate_ = startDate_;
    const char* title = "Enter end date Key";
    if (mode_ == 1) {
        title = "Enter start date Key";
    } else if (mode_ == 0) {
        title = isNew_ ? "Add past period Key" : "Edit period log Key";
    }
    titleLbl_->setText(text(title));
}

void SummaryCalendarController::doneClicked() {
    delegate_.sendSummaryCalendarDown(startDate_, endDate_, isNew_, oldDate_, mode_);
}

void SummaryCalendarController::cancelClicked() {
    delegate_.summaryCalendarCancelClicked();
}

void SummaryCalendarController::setCalendarWithDate(Date date) {
    calViewController_->showAndSelectDate(date);
}

int SummaryCalendarController::selectedRow() const {
    auto selected = tableView_->indexPathForSelectedRow();
    return selected ? selected->row : 0;
}

void SummaryCalendarController::enterDate(Date date) {
    bool entersStart = mode_ == 1 || (mode_ == 0 && selectedRow() == 0);
    (entersStart ? startDate_ : endDate_) = date;
    redrawList();
}

void SummaryCalendarController::redrawList() {
    int row = selectedRow();
    tableView_->reloadData();
    tableView_->selectRow({0, row}, false);
}

void SummaryCalendarController::didSelectDate(Date date) {
    enterDate(date);
}

void SummaryCalendarController::reloadInfoForDate(Date date) {
    if (dataSource_->shades(date)) {
        return;
    }
    enterDate(date);
}

std::string SummaryCalendarController::dateText(Date date) const {
    return date == Date() ? "-" : dateFormatter_.stringFromDate(date);
}

int SummaryCalendarController::numberOfRowsInSection(TableView&, int) {
    return mode_ == 0 ? 2 : 1;
}

std::shared_ptr<TableViewCell> SummaryCalendarController::cellForRow(TableView& table,
                                                                     IndexPath path) {
    auto cell = table.dequeueReusableCell(cellIdentifier);
    if (!cell) {
        cell = std::make_shared<TableViewCell>(cellIdentifier);
        auto background = std::make_shared<View>(Rect(0, 0, 320, rowHeight));
        background->setBackgroundColor(rowColor);
        cell->setBackgroundView(background);
        cell->setSelectedBackgroundView(std::make_shared<View>(Rect(0, 0, 320, rowHeight)));
        cell->contentView()->addSubview(
            makeRowLabel(captionFrame, captionTag, TextAlignment::Left));
        cell->contentView()->addSubview(makeRowLabel(valueFrame, valueTag, TextAlignment::Right));
    }
    // The row being entered wears the skin's own colour, so it stands out from the other.
    cell->selectedBackgroundView()->setBackgroundColor(SkinColors::forSkin(skin_).centerLabel);
    bool startRow = mode_ == 1 || (mode_ == 0 && path.row == 0);
    rowLabel(*cell, captionTag).setText(text(startRow ? "Starts Key" : "Ends Key"));
    rowLabel(*cell, valueTag).setText(dateText(startRow ? startDate_ : endDate_));
    return cell;
}

void SummaryCalendarController::didSelectRow(TableView&, IndexPath path) {
    // Only mode 0 has a choice of value.
    if (mode_ != 0) {
        return;
    }
    if (path.row == 0) {
        setCalendarWithDate(startDate_);
    } else if (isNew_) {
        setCalendarWithDate(startDate_);
        endDate_ = startDate_;
        redrawList();
    } else {
        setCalendarWithDate(endDate_ == Date() ? Clock::current()->now() : endDate_);
    }
}

} // namespace florelle
