// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainPage.h"
#include "MainPageHost.h"
#include "PageHelpOverlay.h"
#include "SummaryRows.h"
#include "cycle/PeriodSummary.h"
#include "foundation/NotificationCenter.h"
#include "ui/TableView.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"

#include <array>
#include <memory>
#include <string>

namespace florelle {

class Button;
class ImageView;
class Label;

// The summary page of the main screen's strip: the period log. One table
// of past or predicted periods, fertile windows or ovulation days (start,
// end, cycle length), under a title with the average period length, the
// window's length or the next ovulation day, and above it the period in
// progress. On the Period tab's past list, rows open the past period
// calendar: the first row adds a period, the others edit theirs, and a
// row's delete control removes it once the delete button confirms.
class SummaryGlobalController : public MainPage,
                                public TableViewDataSource,
                                public TableViewDelegate {
public:
    explicit SummaryGlobalController(std::weak_ptr<MainPageHost> host);
    ~SummaryGlobalController() override;

    void viewDidLoad() override;

    // Reads the diary afresh and shows it on every part of the page.
    void reloadEverything() override;
    // Rebuilds the rows of the tab on show.
    void makeDateArrays() override;
    void deselectCell() override;
    void setSkin(int skin) override;
    void infoBtnClicked() override;
    void dismissInfoView() override;

    // Tabs: 0 Period, 1 Fertile, 2 Ovulation; sub-tabs: 0 Past, 1 Predictions.
    void periodBtnClicked();
    void fertileBtnClicked();
    void ovulationBtnClicked();
    void pastClicked();
    void predictionClicked();
    // The period in progress: change its start (or enter a new one), or end it.
    void startsClicked();
    void endsClicked();

    void checkCountingMode();
    void recalculateCurrent();
    // Compact leaves out the period in progress and gives the table more room.
    void changeTableView(bool compact);

    int periodMode() const { return periodMode_; }
    int timeMode() const { return timeMode_; }
    int calendarCountingMode() const { return calendarCountingMode_; }
    int avgPeriod() const { return avgPeriod_; }
    bool isInfo() const { return infoView_ && infoView_->isShowing(); }
    const PeriodSummary::Rows& rows() const { return rows_; }

    TableView& tableView() const { return *tableView_; }
    Label& bigTitleLbl() const { return *bigTitleLbl_; }
    Label& smallTitleLbl() const { return *smallTitleLbl_; }
    Label& currentStartLbl() const { return *currentStartLbl_; }
    Label& currentEndLbl() const { return *currentEndLbl_; }
    Button& tabButton(int mode) const { return *tabButtons_.at(static_cast<std::size_t>(mode)); }
    Button& pastBtn() const { return *pastBtn_; }
    Button& predictionBtn() const { return *predictionBtn_; }
    Button& startsBtn() const { return *startsBtn_; }
    Button& endsBtn() const { return *endsBtn_; }
    Button& infoBtn() const { return *infoBtn_; }
    View& currentView() const { return *currentView_; }
    View& infoView() const { return *infoView_; }

    int numberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    bool canEditRow(TableView& table, IndexPath path) override;
    void commitEditingStyle(TableView& table, TableViewCell::EditingStyle style,
                            IndexPath path) override;
    std::optional<double> heightForHeaderInSection(TableView&, int) override {
        return SummaryRows::headerHeight;
    }
    std::shared_ptr<View> viewForHeaderInSection(TableView& table, int section) override;
    std::optional<IndexPath> willSelectRow(TableView& table, IndexPath path) override;
    void didSelectRow(TableView& table, IndexPath path) override;
    TableViewCell::EditingStyle editingStyleForRow(TableView& table, IndexPath path) override;

private:
    void buildTabs();
    void buildCurrent();
    void buildTitle();
    void buildTable();
    void buildInfo();
    void showTab(int mode);
    void setTimeMode(int mode);
    void showTitles();
    bool editsPeriods() const { return periodMode_ == 0 && timeMode_ == 0; }
    // The logged period a row of the editable list shows.
    const PeriodSummary::Period& periodAtRow(int row) const;

    std::weak_ptr<MainPageHost> host_;
    SummaryRows summaryRows_;
    PeriodSummary::Inputs inputs_;
    PeriodSummary::Rows rows_;
    int periodMode_ = 0;
    int timeMode_ = 0;
    int calendarCountingMode_ = 0;
    int avgPeriod_ = 0;

    std::array<std::shared_ptr<Button>, 3> tabButtons_;
    std::shared_ptr<View> backingView_;
    std::shared_ptr<View> currentView_;
    std::shared_ptr<Label> currentLbl_;
    std::shared_ptr<Button> startsBtn_;
    std::shared_ptr<Button> endsBtn_;
    std::shared_ptr<Label> currentStartLbl_;
    std::shared_ptr<Label> currentEndLbl_;
    std::shared_ptr<View> cloudView_;
    std::shared_ptr<ImageView> cloudImgView_;
    std::shared_ptr<Label> bigTitleLbl_;
    std::shared_ptr<Label> smallTitleLbl_;
    std::shared_ptr<Button> infoBtn_;
    std::shared_ptr<Button> pastBtn_;
    std::shared_ptr<Button> predictionBtn_;
    std::shared_ptr<TableView> tableView_;
    std::shared_ptr<PageHelpOverlay> infoView_;
    NotificationCenter::Observation diaryChanges_;
};

} // namespace florelle
