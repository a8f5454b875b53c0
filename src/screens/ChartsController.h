// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainPage.h"
#include "MainPageHost.h"
#include "calendar/CalDateFormatter.h"
#include "cycle/ChartSeries.h"
#include "cycle/ChartWindow.h"
#include "foundation/NotificationCenter.h"
#include "graphs/GraphViewControllerDataSource.h"
#include "storage/ChartData.h"

#include <array>
#include <memory>

namespace florelle {

class Button;
class GraphViewController;
class Label;

// The charts page of the main screen's strip: one bar chart (moods,
// symptoms, period lengths, cycle lengths or weights) of a window of 1, 3 or
// 6 months that ends today and can be stepped back and forward. It feeds the
// graph as its data source. The chart is drawn turned half a turn and its
// titles read bottom to top, for a phone held sideways.
class ChartsController : public MainPage, public GraphViewControllerDataSource {
public:
    explicit ChartsController(std::weak_ptr<MainPageHost> host);
    ~ChartsController() override;

    void viewDidLoad() override;

    // 0 one month, 1 three, 2 six; another value keeps the mode. Moves the
    // window to end now; the data is read again by reloadGraph.
    void changePeriodModeTo(int mode) override;
    void reloadGraph() override;
    void reloadButtons() override;

    int getNumberOfSections() override { return 1; }
    std::string getSectionNameForIndex(int) override { return ""; }
    std::string getSectionLegendNameForIndex(int) override { return ""; }
    std::vector<GraphDataItem> getData(GraphViewController& graph, int section) override;

    void oneMonthClicked();
    void threeMonthClicked();
    void sixMonthClicked();
    void goLeft();
    void goRight();
    void changeToSymptoms();
    void changeToMoods();
    void changeToPeriod();
    void changeToCycle();
    void changeToWeight();
    // Shows the window choices, or hides them when they show.
    void showTimeRangeView();

    ChartSeries::Chart type() const { return type_; }
    int periodMode() const { return periodMode_; }
    const ChartWindow& window() const { return window_; }
    bool noData() const { return noData_; }
    GraphViewController& graph() const { return *graph_; }
    Label& noDataLbl() const { return *noDataLbl_; }
    Label& rangeLbl() const { return *rangeLbl_; }
    Button& chartButton(ChartSeries::Chart chart) const;
    Button& timeRangeBtn() const { return *timeRangeBtn_; }
    Button& periodModeButton(int mode) const;
    View& timeRangeView() const { return *timeRangeView_; }
    View& bottomBar() const { return *bottomBar_; }

private:
    void buildButtons();
    void buildLabels();
    void changeTo(ChartSeries::Chart chart);
    void choosePeriodMode(int mode);
    void changeVisibleMonths(bool forward);
    void reloadDataArrays();
    // The diary or a day's log changed: the chart on show is drawn anew.
    void diaryChanged();
    void showRange();
    void fadeTimeRange(double alpha);

    std::weak_ptr<MainPageHost> host_;
    CalDateFormatter dateFormatter_;
    ChartSeries::Chart type_ = ChartSeries::Chart::moods;
    int periodMode_ = 0;
    ChartWindow window_;
    bool noData_ = true;
    ChartData data_;

    std::shared_ptr<GraphViewController> graph_;
    std::array<std::shared_ptr<Button>, 5> chartButtons_;
    std::array<std::shared_ptr<Button>, 3> periodModeButtons_;
    std::shared_ptr<Button> timeRangeBtn_;
    std::shared_ptr<Button> leftBtn_;
    std::shared_ptr<Button> rightBtn_;
    std::shared_ptr<View> timeRangeView_;
    std::shared_ptr<View> bottomBar_;
    std::shared_ptr<Label> titleLbl_;
    std::shared_ptr<Label> rangeLbl_;
    std::shared_ptr<Label> noDataLbl_;
    NotificationCenter::Observation diaryChanges_;
    // A day's moods, symptoms and weight are what most charts count.
    NotificationCenter::Observation dayChanges_;
};

} // namespace florelle
