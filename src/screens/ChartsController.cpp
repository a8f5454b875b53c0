// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartsController.h"

#include "DiaryActions.h"
#include "PetalTable.h"
#include "SkinColors.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/Strings.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "graphs/GraphViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

namespace florelle {

namespace {

using Chart = ChartSeries::Chart;

constexpr double graphTurn = -3.141;
constexpr double titleTurn = -1.5705;
constexpr double fadeDuration = 0.5;
const Rect graphFrame{0, 0, 320, 370};
const Color choiceColor{0.721, 0.117, 0.388};
const Color purple{0.5, 0, 0.5};

// Button order on the bar, with the chart each one shows.
constexpr std::array<Chart, 5> barOrder = {Chart::moods, Chart::symptoms, Chart::cycle,
                                           Chart::period, Chart::weight};
constexpr std::array<const char*, 5> barKeys = {"Moods Key", "Symp. Key", "Cycle Key", "Period Key",
                                                "Weight Key"};

std::string text(std::string_view key) {
    return Strings::localized(key);
}

std::size_t slotOf(Chart chart) {
    for (std::size_t i = 0; i < barOrder.size(); ++i) {
        if (barOrder[i] == chart) {
            return i;
        }
    }
    return 0;
}

std::shared_ptr<Button> makeButton(const Rect& frame, const std::string& title) {
    auto button = std::make_shared<Button>(frame);
    button->setTitle(title);
    button->setTitleFont(Font::boldSystemFont(title.size() > 8 ? 11 : 13));
    return button;
}

// A label read bottom to top, its centre at the point.
std::shared_ptr<Label> makeTurnedLabel(Point center, Size size, const Font& font,
                                       const Color& color) {
    auto label =
        Label::caption(Rect(0, 0, size.width, size.height), font, color, TextAlignment::Center);
    label->setCenter(center);
    label->setTransform(AffineTransform::rotation(titleTurn));
    return label;
}

} // namespace

ChartsController::ChartsController(std::weak_ptr<MainPageHost> host)
    : host_(std::move(host)), dateFormatter_(CalDateFormatter::Style::shortStyle) {
    diaryChanges_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification, [this](const Notification&) { diaryChanged(); });
    dayChanges_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::dayChangedNotification, [this](const Notification&) { diaryChanged(); });
}

ChartsController::~ChartsController() = default;

void ChartsController::viewDidLoad() {
    type_ = Chart::moods;
    changePeriodModeTo(0);

    graph_ = std::make_shared<GraphViewController>();
    graph_->setDataSourceDelegate(this);
    graph_->setTowerWidth(1);
    graph_->setTowerRatio(1.5);
    graph_->scrollView()->setScrollEnabled(true);
    auto& graphView = graph_->view();
    graphView->setFrame(graphFrame);
    graphView->setUserInteractionEnabled(true);
    graphView->setTransform(AffineTransform::rotation(graphTurn));
    view()->addSubview(graphView);

    buildLabels();
    buildButtons();

    chartButton(Chart::moods).setSelected(true);
    reloadDataArrays();
    graph_->viewDidAppear(true);
    reloadButtons();
}

void ChartsController::buildLabels() {
    titleLbl_ = makeTurnedLabel({22, 185}, {300, 20}, Font::boldSystemFont(15), choiceColor);
    titleLbl_->setText("Month View");
    view()->addSubview(titleLbl_);
    rangeLbl_ = makeTurnedLabel({44, 185}, {300, 18}, Font::systemFont(13), choiceColor);
    rangeLbl_->setText(dateFormatter_.stringFromDate(Clock::current()->now()));
    view()->addSubview(rangeLbl_);
    noDataLbl_ = makeTurnedLabel({182, 185}, {250, 44}, Font::boldSystemFont(16), purple);
    noDataLbl_->setNumberOfLines(2);
    noDataLbl_->setText(text("No Data To Display! Key"));
    view()->addSubview(noDataLbl_);
    noData_ = true;
}

void ChartsController::buildButtons() {
    bottomBar_ = std::make_shared<View>(Rect(0, 370, 320, MainPage::visibleHeight - 370));
    view()->addSubview(bottomBar_);

    for (std::size_t i = 0; i < barOrder.size(); ++i) {
        chartButtons_[i] = makeButton(Rect(4 + 63.0 * double(i), 4, 60, 28), text(barKeys[i]));
        bottomBar_->addSubview(chartButtons_[i]);
    }
    chartButtons_[slotOf(Chart::moods)]->onTouchUpInside = [this] { changeToMoods(); };
    chartButtons_[slotOf(Chart::symptoms)]->onTouchUpInside = [this] { changeToSymptoms(); };
    chartButtons_[slotOf(Chart::cycle)]->onTouchUpInside = [this] { changeToCycle(); };
    chartButtons_[slotOf(Chart::period)]->onTouchUpInside = [this] { changeToPeriod(); };
    chartButtons_[slotOf(Chart::weight)]->onTouchUpInside = [this] { changeToWeight(); };

    leftBtn_ = makeButton(Rect(4, 35, 40, 26), "<");
    leftBtn_->onTouchUpInside = [this] { goLeft(); };
    rightBtn_ = makeButton(Rect(276, 35, 40, 26), ">");
    rightBtn_->onTouchUpInside = [this] { goRight(); };
    timeRangeBtn_ = makeButton(Rect(48, 35, 224, 26), text("Choose time range Key"));
    timeRangeBtn_->onTouchUpInside = [this] { showTimeRangeView(); };
    bottomBar_->addSubview(leftBtn_);
    bottomBar_->addSubview(timeRangeBtn_);
    bottomBar_->addSubview(rightBtn_);

    timeRangeView_ = std::make_shared<View>(Rect(-8, 255, 130, 112));
    timeRangeView_->setBackgroundColor(Color(1, 1, 1, 0.9));
    timeRangeView_->setAlpha(0);
    const std::array<int, 3> choices = {1, 3, 6};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        auto button = makeButton(
            Rect(16, 6 + 36.0 * double(i), 106, 30),
            format("%d %@", choices[i], Strings::localizedCount("Months Key", choices[i])));
        button->setTitleColor(choiceColor);
        timeRangeView_->addSubview(button);
        periodModeButtons_[i] = button;
    }
    periodModeButtons_[0]->onTouchUpInside = [this] { oneMonthClicked(); };
    periodModeButtons_[1]->onTouchUpInside = [this] { threeMonthClicked(); };
    periodModeButtons_[2]->onTouchUpInside = [this] { sixMonthClicked(); };
    view()->addSubview(timeRangeView_);
}

Button& ChartsController::chartButton(Chart chart) const {
    return *chartButtons_[slotOf(chart)];
}

Button& ChartsController::periodModeButton(int mode) const {
    return *periodModeButtons_.at(static_cast<std::size_t>(mode));
}

void ChartsController::changePeriodModeTo(int mode) {
    if (mode >= 0 && mode <= 2) {
        periodMode_ = mode;
    }
    window_ = ChartWindow::endingAt(Clock::current()->now(), periodMode_, Calendar::current());
    showRange();
}

void ChartsController::showRange() {
    if (rangeLbl_) {
        rangeLbl_->setText(format("%@ - %@", dateFormatter_.stringFromDate(window_.fromDate),
                                  dateFormatter_.stringFromDate(window_.toDate)));
    }
}

void ChartsController::reloadDataArrays() {
    // An unreadable diary charts nothing: each chart then says it has no data.
    data_ = ChartData::read(window_, Calendar::current()).value_or(ChartData{});
}

void ChartsController::diaryChanged() {
    // Every keystroke in a note tells its day changed: a hidden page reads
    // the diary when it is opened, not with each of them.
    auto main = host_.lock();
    if (isViewLoaded() && main && main->isPageOnShow(MainPageKind::charts)) {
        reloadGraph();
    }
}

void ChartsController::reloadGraph() {
    view();
    reloadDataArrays();
    graph_->viewDidAppear(true);
}

std::vector<GraphDataItem> ChartsController::getData(GraphViewController&, int) {
    auto series = ChartSeries::build(type_, data_, DatabaseController::getSi().value_or(1),
                                     Clock::current()->now(), Calendar::current());
    noData_ = series.noData;
    if (noDataLbl_) {
        noDataLbl_->setHidden(!noData_);
    }
    std::vector<GraphDataItem> items;
    for (const auto& bar : series.bars) {
        GraphDataItem item;
        item.value = bar.value;
        item.valueName = bar.captionDate ? dateFormatter_.stringFromDate(*bar.captionDate)
                                         : text(bar.captionKey);
        item.imageName = bar.imageName;
        item.imageNameOver = bar.imageNameOver;
        items.push_back(std::move(item));
    }
    return items;
}

void ChartsController::changeTo(Chart chart) {
    type_ = chart;
    for (Chart each : barOrder) {
        chartButton(each).setSelected(each == chart);
    }
    fadeTimeRange(0);
    reloadGraph();
}

void ChartsController::changeToSymptoms() {
    changeTo(Chart::symptoms);
}

void ChartsController::changeToMoods() {
    changeTo(Chart::moods);
}

void ChartsController::changeToPeriod() {
    changeTo(Chart::period);
}

void ChartsController::changeToCycle() {
    changeTo(Chart::cycle);
}

void ChartsController::changeToWeight() {
    changeTo(Chart::weight);
}

void ChartsController::choosePeriodMode(int mode) {
    changePeriodModeTo(mode);
    fadeTimeRange(0);
    reloadGraph();
}

void ChartsController::oneMonthClicked() {
    choosePeriodMode(0);
}

void ChartsController::threeMonthClicked() {
    choosePeriodMode(1);
}

void ChartsController::sixMonthClicked() {
    choosePeriodMode(2);
}

void ChartsController::changeVisibleMonths(bool forward) {
    window_ = window_.stepped(periodMode_, forward, Calendar::current());
    showRange();
    reloadGraph();
}

void ChartsController::goLeft() {
    changeVisibleMonths(false);
}

void ChartsController::goRight() {
    changeVisibleMonths(true);
}

void ChartsController::showTimeRangeView() {
    fadeTimeRange(timeRangeView_->alpha() < 0.9 ? 1 : 0);
}

void ChartsController::fadeTimeRange(double alpha) {
    View::animate(fadeDuration, [this, alpha] { timeRangeView_->setAlpha(alpha); });
}

void ChartsController::reloadButtons() {
    view();
    auto main = host_.lock();
    int skin = main ? main->getNewSkin() : 0;
    Image normal = Image::named(format("button_%d.png", skin));
    Image selected = Image::named(format("button_selected_%d.png", skin));
    bool light = skin == 0 || skin == 1;
    Color titles = SkinColors::forSkin(skin).buttonTitle;
    bottomBar_->setBackgroundColor(light ? Color(0.862, 0.6, 0.768) : Color(0.505, 0.831, 0.968));
    std::vector<Button*> buttons = {timeRangeBtn_.get()};
    for (const auto& button : chartButtons_) {
        buttons.push_back(button.get());
    }
    for (Button* button : buttons) {
        button->setBackgroundImage(normal);
        button->setBackgroundImage(selected, controlStateSelected);
        button->setBackgroundImage(selected, controlStateHighlighted);
        button->setTitleColor(titles);
    }
    for (const auto& button : {leftBtn_, rightBtn_}) {
        button->setBackgroundImage(normal);
        button->setBackgroundImage(selected, controlStateHighlighted);
        button->setTitleColor(titles);
    }
}

} // namespace florelle
