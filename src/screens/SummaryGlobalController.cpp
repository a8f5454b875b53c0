// SPDX-License-Identifier: GPL-3.0-or-later
#include "SummaryGlobalController.h"

#include "DiaryActions.h"
#include "PetalTable.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

#include <utility>

namespace florelle {

namespace {

// The two layouts move only these y positions (and the table's height).
struct Layout {
    double currentY;
    double currentAlpha;
    double tableY;
    double tableHeight;
    double buttonsY;
    double cloudY;
    double duration;
};
constexpr Layout fullLayout{55, 1, 220, 207, 192, 97, 0.5};
constexpr Layout compactLayout{20, 0, 160, 267, 132, 37, 0.4};

const Color tableColor{0.33, 0.41, 0.61, 0.9};
const Color skyTitle{0.800, 0.925, 0.980, 1};
const Color tabColor{0.196, 0.310, 0.522, 0.9};
const Color inkColor{0.196, 0.310, 0.522, 1};
std::string text(std::string_view key) {
    return Strings::localized(key);
}

// "6 days", "1 day".
std::string countedDays(int days) {
    return format("%d %@", days, Strings::localizedCount("days Key", days));
}

std::shared_ptr<Label> makeLabel(const Rect& frame, const Font& font,
                                 TextAlignment alignment = TextAlignment::Left) {
    return Label::caption(frame, font, Color::white(), alignment);
}

std::shared_ptr<Button> makeTab(const Rect& frame, const std::string& title,
                                const std::string& selectedPicture) {
    auto button = std::make_shared<Button>(frame);
    button->setTitle(title);
    button->setTitleFont(Font::boldSystemFont(14));
    button->setBackgroundColor(tabColor);
    // Dark on the light picture of the chosen tab.
    button->setTitleColor(inkColor, controlStateSelected);
    button->setTitleColor(inkColor, controlStateHighlighted);
    button->setTitleColor(inkColor, controlStateSelected | controlStateHighlighted);
    Image picture = Image::named(selectedPicture);
    button->setBackgroundImage(picture, controlStateSelected);
    button->setBackgroundImage(picture, controlStateHighlighted);
    button->setBackgroundImage(picture, controlStateSelected | controlStateHighlighted);
    return button;
}

void moveY(View& view, double y) {
    Rect frame = view.frame();
    frame.origin.y = y;
    view.setFrame(frame);
}

} // namespace

SummaryGlobalController::SummaryGlobalController(std::weak_ptr<MainPageHost> host)
    : host_(std::move(host)) {
    diaryChanges_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification, [this](const Notification&) {
            // A page not built yet reads the diary when it is.
            if (isViewLoaded()) {
                reloadEverything();
            }
        });
}

SummaryGlobalController::~SummaryGlobalController() = default;

void SummaryGlobalController::viewDidLoad() {
    backingView_ = std::make_shared<View>(Rect(0, 0, 320, MainPage::visibleHeight));
    backingView_->setBackgroundColor(Color::clear());
    backingView_->setUserInteractionEnabled(false);
    view()->addSubview(backingView_);
    buildTabs();
    buildCurrent();
    buildTitle();
    buildTable();
    buildInfo();
    periodMode_ = 0;
    timeMode_ = 0;
    tabButton(0).setSelected(true);
    pastBtn_->setSelected(true);
    checkCountingMode();
    makeDateArrays();
    if (auto main = host_.lock()) {
        setSkin(main->getNewSkin());
    }
}

void SummaryGlobalController::buildTabs() {
    const char* titles[] = {"Period Key", "Fertile Key", "Ovulation Key"};
    for (std::size_t i = 0; i < tabButtons_.size(); ++i) {
        tabButtons_[i] = makeTab(Rect(8 + 103 * double(i), 8, 98, 34), text(titles[i]),
                                 "note_button_selected_0.png");
        view()->addSubview(tabButtons_[i]);
    }
    tabButtons_[0]->onTouchUpInside = [this] { periodBtnClicked(); };
    tabButtons_[1]->onTouchUpInside = [this] { fertileBtnClicked(); };
    tabButtons_[2]->onTouchUpInside = [this] { ovulationBtnClicked(); };

    pastBtn_ = makeTab(Rect(8, fullLayout.buttonsY, 150, 26), text("Past Periods Key"),
                       "tab_selected.png");
    pastBtn_->onTouchUpInside = [this] { pastClicked(); };
    predictionBtn_ = makeTab(Rect(162, fullLayout.buttonsY, 150, 26), text("Predictions Key"),
                             "tab_selected.png");
    predictionBtn_->onTouchUpInside = [this] { predictionClicked(); };
    view()->addSubview(pastBtn_);
    view()->addSubview(predictionBtn_);
}

void SummaryGlobalController::buildCurrent() {
    currentView_ = std::make_shared<View>(Rect(8, fullLayout.currentY, 304, 42));
    currentLbl_ = makeLabel(Rect(0, 0, 84, 42), Font::boldSystemFont(15));
    currentLbl_->setText(text("Current Key"));
    currentView_->addSubview(currentLbl_);
    auto makeEntry = [this](double x, const char* key, std::shared_ptr<Label>& value) {
        auto button = std::make_shared<Button>(Rect(x, 0, 108, 42));
        button->setBackgroundColor(tabColor);
        auto caption =
            makeLabel(Rect(4, 1, 100, 14), Font::boldSystemFont(12), TextAlignment::Center);
        caption->setText(text(key));
        button->addSubview(caption);
        value = makeLabel(Rect(4, 14, 100, 15), Font::systemFont(13), TextAlignment::Center);
        button->addSubview(value);
        auto hint = makeLabel(Rect(4, 28, 100, 12), Font::systemFont(10), TextAlignment::Center);
        hint->setText(text("(Tap to change Key)"));
        button->addSubview(hint);
        currentView_->addSubview(button);
        return button;
    };
    startsBtn_ = makeEntry(84, "Starts Key", currentStartLbl_);
    startsBtn_->onTouchUpInside = [this] { startsClicked(); };
    endsBtn_ = makeEntry(196, "Ends Key", currentEndLbl_);
    endsBtn_->onTouchUpInside = [this] { endsClicked(); };
    view()->addSubview(currentView_);
}

void SummaryGlobalController::buildTitle() {
    cloudView_ = std::make_shared<View>(Rect(54, fullLayout.cloudY, 212, 90));
    cloudImgView_ = std::make_shared<ImageView>(cloudView_->bounds());
    cloudView_->addSubview(cloudImgView_);
    bigTitleLbl_ = makeLabel(Rect(0, 20, 212, 34), Font::boldSystemFont(26), TextAlignment::Center);
    smallTitleLbl_ =
        makeLabel(Rect(0, 54, 212, 18), Font::boldSystemFont(13), TextAlignment::Center);
    cloudView_->addSubview(bigTitleLbl_);
    cloudView_->addSubview(smallTitleLbl_);
    cloudView_->setUserInteractionEnabled(false);
    view()->addSubview(cloudView_);

    infoBtn_ = std::make_shared<Button>(Rect(276, fullLayout.cloudY + 56, 30, 30));
    infoBtn_->setTitle("i");
    infoBtn_->setTitleFont(Font::boldSystemFont(18));
    infoBtn_->setBackgroundColor(tabColor);
    infoBtn_->onTouchUpInside = [this] { infoBtnClicked(); };
    view()->addSubview(infoBtn_);
}

void SummaryGlobalController::buildTable() {
    tableView_ = std::make_shared<TableView>(
        Rect(0, fullLayout.tableY, 320, fullLayout.tableHeight), TableView::Style::plain);
    tableView_->setBackgroundColor(tableColor);
    tableView_->setRowHeight(SummaryRows::rowHeight);
    tableView_->setSectionHeaderHeight(SummaryRows::headerHeight);
    auto self = std::static_pointer_cast<SummaryGlobalController>(shared_from_this());
    tableView_->dataSource = std::static_pointer_cast<TableViewDataSource>(self);
    tableView_->setDelegate(std::static_pointer_cast<TableViewDelegate>(self));
    tableView_->setEditing(true, false);
    tableView_->setAllowsSelectionDuringEditing(true);
    view()->addSubview(tableView_);
}

void SummaryGlobalController::buildInfo() {
    infoView_ = std::make_shared<PageHelpOverlay>(
        std::vector<const char*>{"FirstLblInfoSummaryKey", "SecondLblInfoSummaryKey",
                                 "ThirdLblInfoSummaryKey"},
        84);
    infoView_->onDismissed = [this] {
        if (auto main = host_.lock()) {
            main->switchFirtsUseLbls(-1);
            main->activateFirstAnimTmr();
        }
    };
    view()->addSubview(infoView_);
}

void SummaryGlobalController::reloadEverything() {
    view();
    checkCountingMode();
    makeDateArrays();
    tableView_->reloadData();
    recalculateCurrent();
}

void SummaryGlobalController::checkCountingMode() {
    calendarCountingMode_ =
        Predictions::isRegular(DatabaseController::getCycle().value_or(28)) ? 0 : 1;
}

void SummaryGlobalController::makeDateArrays() {
    view();
    auto read = DatabaseController::getPredictionInputs(Clock::current()->now());
    if (!read) {
        // An unreadable diary lists nothing rather than made-up lengths.
        rows_ = {};
        return;
    }
    inputs_ = *read;
    Calendar calendar = Calendar::current();
    rows_ = PeriodSummary::rows(static_cast<PeriodSummary::Tab>(periodMode_), inputs_, calendar);
    if (periodMode_ == 0) {
        avgPeriod_ = PeriodSummary::averagePeriodLength(inputs_, calendar);
    }
    showTitles();
}

void SummaryGlobalController::showTitles() {
    Calendar calendar = Calendar::current();
    switch (periodMode_) {
    case 0:
        bigTitleLbl_->setText(countedDays(avgPeriod_));
        smallTitleLbl_->setText(text("AVG Key"));
        break;
    case 1:
        bigTitleLbl_->setText(countedDays(PeriodSummary::fertileWindowLength(inputs_, calendar)));
        smallTitleLbl_->setText(text("AVG Key"));
        break;
    default:
        bigTitleLbl_->setText(
            summaryRows_.dateText(PeriodSummary::nextOvulation(inputs_, calendar)));
        smallTitleLbl_->setText(text("NEXT OV. DATE Key"));
        break;
    }
}

void SummaryGlobalController::recalculateCurrent() {
    auto start = PeriodSummary::currentStart(inputs_);
    currentStartLbl_->setText(start ? summaryRows_.dateText(*start) : "-");
    currentEndLbl_->setText("-");
}

void SummaryGlobalController::deselectCell() {
    if (!tableView_) {
        return;
    }
    if (auto selected = tableView_->indexPathForSelectedRow()) {
        tableView_->deselectRow(*selected, true);
    }
}

void SummaryGlobalController::setSkin(int skin) {
    view();
    cloudImgView_->setImage(Image::named(PetalTable::picture("cloud_%d.png", skin)));
    if (skin < 0 || skin > 2) {
        return;
    }
    Color titleColor = skin == 1 ? Color::white() : skyTitle;
    backingView_->setBackgroundColor(skin == 2 ? Color::white() : Color::clear());
    currentLbl_->setTextColor(inkColor);
    bigTitleLbl_->setTextColor(titleColor);
    smallTitleLbl_->setTextColor(titleColor);
}

void SummaryGlobalController::periodBtnClicked() {
    infoBtn_->setHidden(timeMode_ != 0);
    if (periodMode_ != 0) {
        changeTableView(false);
    }
    showTab(0);
    pastBtn_->setTitle(text("Past Periods Key"));
}

void SummaryGlobalController::fertileBtnClicked() {
    infoBtn_->setHidden(true);
    changeTableView(true);
    showTab(1);
    pastBtn_->setTitle(text("Past Key"));
}

void SummaryGlobalController::ovulationBtnClicked() {
    infoBtn_->setHidden(true);
    changeTableView(true);
    showTab(2);
    pastBtn_->setTitle(text("Past Key"));
}

void SummaryGlobalController::showTab(int mode) {
    periodMode_ = mode;
    makeDateArrays();
    tableView_->reloadData();
    for (std::size_t i = 0; i < tabButtons_.size(); ++i) {
        tabButtons_[i]->setSelected(int(i) == mode);
    }
}

void SummaryGlobalController::pastClicked() {
    infoBtn_->setHidden(periodMode_ != 0);
    setTimeMode(0);
}

void SummaryGlobalController::predictionClicked() {
    infoBtn_->setHidden(true);
    setTimeMode(1);
}

void SummaryGlobalController::setTimeMode(int mode) {
    timeMode_ = mode;
    pastBtn_->setSelected(mode == 0);
    predictionBtn_->setSelected(mode == 1);
    tableView_->reloadData();
}

void SummaryGlobalController::changeTableView(bool compact) {
    const Layout& layout = compact ? compactLayout : fullLayout;
    View::animate(layout.duration, [this, &layout] {
        currentView_->setAlpha(layout.currentAlpha);
        moveY(*currentView_, layout.currentY);
        tableView_->setFrame(Rect(0, layout.tableY, 320, layout.tableHeight));
        moveY(*pastBtn_, layout.buttonsY);
        moveY(*predictionBtn_, layout.buttonsY);
        moveY(*cloudView_, layout.cloudY);
        moveY(*infoBtn_, layout.cloudY + 56);
    });
    // Out of sight, the period in progress takes no touches.
    currentView_->setUserInteractionEnabled(!compact);
}

void SummaryGlobalController::startsClicked() {
    auto main = host_.lock();
    if (!main) {
        return;
    }
    if (auto start = PeriodSummary::currentStart(inputs_)) {
        main->bringSummaryCalendarUp(*start, Date(), 1, true, false);
    } else {
        main->bringSummaryCalendarUp(Clock::current()->now(), Date(), 1, true, true);
    }
}

void SummaryGlobalController::endsClicked() {
    auto main = host_.lock();
    auto start = PeriodSummary::currentStart(inputs_);
    if (main && start) {
        main->bringSummaryCalendarUp(*start, Date(), 2, true, false);
    }
}

void SummaryGlobalController::infoBtnClicked() {
    view();
    infoView_->show();
}

void SummaryGlobalController::dismissInfoView() {
    if (isViewLoaded()) {
        infoView_->dismiss();
    }
}

const PeriodSummary::Period& SummaryGlobalController::periodAtRow(int row) const {
    return inputs_.periods.at(inputs_.periods.size() - static_cast<std::size_t>(row));
}

int SummaryGlobalController::numberOfRowsInSection(TableView&, int) {
    if (timeMode_ == 1) {
        return static_cast<int>(rows_.predicted.size());
    }
    return static_cast<int>(rows_.past.size()) + (periodMode_ == 0 ? 1 : 0);
}

std::shared_ptr<TableViewCell> SummaryGlobalController::cellForRow(TableView& table,
                                                                   IndexPath path) {
    if (editsPeriods() && path.row == 0) {
        return summaryRows_.addRow(table);
    }
    // Past rows newest first, predictions earliest first.
    const PeriodSummary::Row* row = nullptr;
    if (timeMode_ == 1) {
        row = &rows_.predicted.at(static_cast<std::size_t>(path.row));
    } else {
        std::size_t shown = static_cast<std::size_t>(path.row) + (periodMode_ == 0 ? 0 : 1);
        row = &rows_.past.at(rows_.past.size() - shown);
    }
    return summaryRows_.dateRow(table, *row, editsPeriods(), periodMode_ == 2);
}

bool SummaryGlobalController::canEditRow(TableView&, IndexPath) {
    return editsPeriods();
}

TableViewCell::EditingStyle SummaryGlobalController::editingStyleForRow(TableView&,
                                                                        IndexPath path) {
    if (!editsPeriods()) {
        return TableViewCell::EditingStyle::none;
    }
    return path.row == 0 ? TableViewCell::EditingStyle::insert
                         : TableViewCell::EditingStyle::remove;
}

void SummaryGlobalController::commitEditingStyle(TableView&, TableViewCell::EditingStyle style,
                                                 IndexPath path) {
    auto main = host_.lock();
    if (!main || style != TableViewCell::EditingStyle::remove || !editsPeriods() || path.row == 0) {
        return;
    }
    main->setCalSelectedDate(periodAtRow(path.row).start);
    main->deleteDate();
}

std::shared_ptr<View> SummaryGlobalController::viewForHeaderInSection(TableView&, int) {
    return SummaryRows::header(periodMode_ == 2);
}

std::optional<IndexPath> SummaryGlobalController::willSelectRow(TableView&, IndexPath path) {
    if (!editsPeriods()) {
        return std::nullopt;
    }
    return path;
}

void SummaryGlobalController::didSelectRow(TableView&, IndexPath path) {
    auto main = host_.lock();
    if (!main || !editsPeriods()) {
        return;
    }
    if (path.row == 0) {
        Date now = Clock::current()->now();
        main->bringSummaryCalendarUp(now, now, 0, true, true);
        return;
    }
    const auto& period = periodAtRow(path.row);
    main->bringSummaryCalendarUp(period.start, period.end, 0, true, false);
}

} // namespace florelle
