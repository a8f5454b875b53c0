// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SummaryCalendarDelegate.h"
#include "calendar/CalDateFormatter.h"
#include "calendar/CalViewController.h"
#include "calendar/CalViewControllerDelegate.h"
#include "calendar/SummaryCalendarDataSource.h"
#include "ui/TableView.h"

#include <memory>
#include <string>

namespace florelle {

class Button;
class ImageView;
class Label;

// The past period calendar the period log slides in: a month calendar under
// a one- or two-row list of the values being entered. Mode 0 enters a start
// and an end (the selected row says which a pick sets), mode 1 only a start,
// mode 2 only an end. "Add" hands the values to the main screen to be saved,
// "Cancel" drops them.
class SummaryCalendarController : public CalViewControllerDelegate,
                                  public TableViewDataSource,
                                  public TableViewDelegate,
                                  public std::enable_shared_from_this<SummaryCalendarController> {
public:
    static constexpr double rowHeight = 35;

    // The main screen outlives the calendar it owns.
    static std::shared_ptr<SummaryCalendarController> create(SummaryCalendarDelegate& delegate);

    // 320 × 460; the main screen slides it in and out.
    const std::shared_ptr<View>& view() const { return view_; }

    // Stores the values and shades by mode: mode 2 the days before the
    // start, modes 0 and 2 the days after today, mode 1 those after the end
    // (none without one). The fourth flag has no use here.
    void reloadData(Date startDate, Date endDate, int mode, bool withDelete, bool isNew);
    // Shows the values: row 0 selected, the calendar on the start, the title
    // for the mode, the skin's background.
    void viewWillAppear();
    void setSkin(int skin) { skin_ = skin; }

    void doneClicked();
    void cancelClicked();
    void setCalendarWithDate(Date date);

    Date startDate() const { return startDate_; }
    Date endDate() const { return endDate_; }
    Date oldDate() const { return oldDate_; }
    int mode() const { return mode_; }
    bool isNew() const { return isNew_; }
    // The row whose value a pick sets in mode 0.
    int selectedRow() const;

    CalViewController& calViewController() const { return *calViewController_; }
    TableView& tableView() const { return *tableView_; }
    Label& titleLbl() const { return *titleLbl_; }
    Button& addButton() const { return *addButton_; }
    Button& cancelButton() const { return *cancelButton_; }

    void didSelectDate(Date date) override;
    // A month move sets the value to day 1 of the month, unless that day is
    // shaded: then the value stays the last allowed one.
    void reloadInfoForDate(Date date) override;
    void changeCalSize(int) override {}

    int numberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    bool canEditRow(TableView&, IndexPath) override { return false; }
    void didSelectRow(TableView& table, IndexPath path) override;

private:
    explicit SummaryCalendarController(SummaryCalendarDelegate& delegate);
    void build();
    void enterDate(Date date);
    void redrawList();
    std::string dateText(Date date) const;

    SummaryCalendarDelegate& delegate_;
    std::shared_ptr<SummaryCalendarDataSource> dataSource_;
    std::shared_ptr<CalViewController> calViewController_;
    CalDateFormatter dateFormatter_;
    std::shared_ptr<View> view_;
    std::shared_ptr<ImageView> backgroundView_;
    std::shared_ptr<Label> titleLbl_;
    std::shared_ptr<Button> addButton_;
    std::shared_ptr<Button> cancelButton_;
    std::shared_ptr<TableView> tableView_;
    Date startDate_;
    Date endDate_;
    Date oldDate_;
    int mode_ = 0;
    bool isNew_ = true;
    int skin_ = 0;
};

} // namespace florelle
