#include "MainViewController.h"

#include "Analytics.h"
#include "BusyVeil.h"
#include "CenterCalendarController.h"
#include "CustomPetalView.h"
#include "DiaryActions.h"
#include "DisplayText.h"
#include "FirstGlobalController.h"
#include "FirstUseHint.h"
#include "FlowerCenter.h"
#include "MainHelpOverlay.h"
#include "StatusCloud.h"
#include "SummaryCalendarController.h"
#include "TouchForwardingView.h"
#include "cycle/CycleInputs.h"
#include "cycle/PastPeriodEntry.h"
#include "cycle/PeriodEntry.h"
#include "cycle/PregnancyCountdown.h"
#include "cycle/TodayStatus.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/Locale.h"
#include "foundation/Strings.h"
#include "foundation/UserDefaults.h"
#include "platform/LocalNotificationCenter.h"
#include "platform/LocalNotificationStore.h"
#include "reminders/ReminderScheduler.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "ui/ActivityIndicator.h"
#include "ui/AlertView.h"
#include "ui/AnimationGroup.h"
#include "ui/BasicAnimation.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

namespace florelle {

namespace {

// The screen's own layout: the flower in the middle of the screen with the
// countdown in its centre, the dock's bar at the bottom.
const Rect flowerFrame{10, 80, 300, 335};
const Rect centerButtonFrame{95, 110, 110, 110};
const Size menuTitleSize{126, 54};
const Rect panelFrame{0, 420, 320, 480};
constexpr double petalButtonInset = 12;
constexpr double stripY = 31;
const Size stripContent{1920, 460};
const Point hiddenAccountFormCenter{160, 700};
const Rect summaryCalendarParked{0, 462, 320, 460};
const Rect summaryCalendarRaised{0, 0, 320, 460};
constexpr double summaryCalendarDownDuration = 0.3;
const Rect centerCalendarParked{0, 480, 320, 460};
// A summary calendar whose top is at or above this y is raised.
constexpr double summaryCalendarRaisedY = 450;
constexpr double downAfterModal = 1.0;
// Strip offsets that tell which page is on show.
constexpr double settingsPageFrom = 1590;
constexpr double notesPageX = 640;
constexpr double summaryPageX = 960;
constexpr double calendarPageX = 320;
constexpr double firstPageEnds = 291;

std::string text(std::string_view key) {
    return Strings::localized(key);
}

Date today235959() {
    return Calendar::current().endOfDay(Clock::current()->now());
}

std::shared_ptr<Label> makeLabel(const Rect& frame, const Font& font, const Color& color,
                                 TextAlignment alignment) {
    auto label = std::make_shared<Label>(frame);
    label->setFont(font);
    label->setTextColor(color);
    label->setTextAlignment(alignment);
    return label;
}

std::shared_ptr<BasicAnimation> positionAnimation(Point to, double duration) {
    auto animation = std::make_shared<BasicAnimation>("position");
    animation->setToValue(to);
    animation->setDuration(duration);
    animation->setRemovedOnCompletion(false);
    animation->setFillMode(FillMode::forwards);
    return animation;
}

} // namespace

MainViewController::MainViewController() {
    for (auto& page : pages_) {
        page = std::make_shared<MainPage>();
    }
}

MainViewController::~MainViewController() = default;

std::weak_ptr<MainViewController> MainViewController::weakSelf() {
    return std::static_pointer_cast<MainViewController>(shared_from_this());
}

MainPage& MainViewController::page(MainPageKind kind) const {
    return *pages_[static_cast<std::size_t>(kind)];
}

void MainViewController::setPage(MainPageKind kind, std::shared_ptr<MainPage> page) {
    auto& slot = pages_[static_cast<std::size_t>(kind)];
    if (isViewLoaded() && slot->isViewLoaded()) {
        slot->view()->removeFromSuperview();
    }
    slot = std::move(page);
    if (isViewLoaded()) {
        auto& pageView = slot->view();
        pageView->setFrame(
            Rect(PetalTable::row(kind).pageX, 0, pageWidth, ViewController::screenHeight));
        mainScrollView_->addSubview(pageView);
    }
}

CustomPetalView& MainViewController::petalView(MainPageKind kind) const {
    return *petals_[static_cast<std::size_t>(kind)];
}

Button& MainViewController::petalButton(MainPageKind kind) const {
    return *petalButtons_[static_cast<std::size_t>(kind)];
}

void MainViewController::loadView() {
    mainView_ = std::make_shared<TouchForwardingView>(
        Rect(0, 0, ViewController::screenWidth, ViewController::screenHeight));
    setView(mainView_);
}

void MainViewController::viewDidLoad() {
    skin_ = DatabaseController::getSkin().value_or(0);
    petal_ = 0;
    drag_.clear();
    centerCalendarUp_ = false;
    diaryChanges_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification, [this](const Notification&) {
            usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
        });
    usrDefault_ = UserDefaults::standardUserDefaults();

    backgroundView_ = std::make_shared<ImageView>(mainView_->bounds());
    mainView_->addSubview(backgroundView_);
    flowerView_ = std::make_shared<View>(flowerFrame);
    mainView_->addSubview(flowerView_);
    buildPetals();
    buildCenter();
    buildPanel();
    buildOverlays();
    showPage(notesPageX);
    menuLbl_->setText(text("Add Note Key"));
    hint_ = std::make_unique<FirstUseHint>(*mainView_, menuLbl_);
    cloud_ = std::make_shared<StatusCloud>();
    mainView_->addSubview(cloud_);

    mainView_->bringSubviewToFront(flowerView_.get());
    mainView_->bringSubviewToFront(infoView_.get());
    mainView_->bringSubviewToFront(&hint_->label());
    mainView_->bringSubviewToFront(veil_.get());
    mainView_->bringSubviewToFront(accountFormView_.get());
    mainView_->bringSubviewToFront(help_.get());
    mainView_->bringSubviewToFront(summaryCalendarView_.get());

    applyFirstRun();
    setNewSkin(skin_);
    lock_ = false;

    mainView_->onTouchBegan = [this](Point p) { panelTouchBegan(p); };
    mainView_->onTouchMoved = [this](Point p) { panelTouchMoved(p); };
    mainView_->onTouchEnded = [this](Point p) { panelTouchEnded(p); };
    mainView_->onTouchCancelled = [this] { drag_.clear(); };
    resetAnim();
}

void MainViewController::buildPetals() {
    for (const PetalRow& row : PetalTable::rows()) {
        auto petal = std::make_shared<CustomPetalView>(row.frame);
        std::string caption = text(row.captionKey);
        petal->setSkin(skin_);
        petal->setLblString(caption);
        petal->setLblRect(CustomPetalView::captionRect(caption, row.captionAnchor));
        petal->setTag(row.tag());
        flowerView_->addSubview(petal);
        flowerView_->sendSubviewToBack(petal.get());
        petals_[static_cast<std::size_t>(row.page)] = petal;
    }
    loadImg_ = false;
}

void MainViewController::buildCenter() {
    center_ = std::make_unique<FlowerCenter>(*flowerView_);
    // The petal buttons lie over the petals, the centre button over them all.
    for (const PetalRow& row : PetalTable::rows()) {
        auto button =
            std::make_shared<Button>(row.frame.insetBy(petalButtonInset, petalButtonInset));
        button->setExclusiveTouch(true);
        bindPetalButton(*button, row.page);
        flowerView_->addSubview(button);
        petalButtons_[static_cast<std::size_t>(row.page)] = button;
    }
    centerButton_ = std::make_shared<Button>(centerButtonFrame);
    centerButton_->onTouchDown = [this] { centerHold(); };
    centerButton_->onTouchDragEnter = [this] { centerHold(); };
    centerButton_->onTouchDragExit = [this] { centerLetGo(); };
    centerButton_->onTouchUpInside = [this] {
        centerLetGo();
        centerPressed();
    };
    centerButton_->onTouchUpOutside = [this] { centerLetGo(); };
    centerButton_->onTouchCancel = [this] { centerLetGo(); };
    flowerView_->addSubview(centerButton_);
}

void MainViewController::bindPetalButton(Button& button, MainPageKind kind) {
    button.onTouchDown = [this, kind] { petalHold(kind); };
    button.onTouchDragEnter = [this, kind] { petalHold(kind); };
    button.onTouchDragExit = [this, kind] { petalLetGo(kind); };
    button.onTouchCancel = [this, kind] { petalLetGo(kind); };
    button.onTouchUpInside = [this, kind] { petalOpen(kind); };
}

void MainViewController::buildPanel() {
    infoView_ = std::make_shared<View>(panelFrame);
    dockView_ = std::make_shared<ImageView>(Rect(0, 0, 320, 480));
    goBack_ = std::make_shared<Button>(Rect(4, 2, 60, 26));
    auto backCaption = makeLabel(Rect(12, 3, 48, 20), Font::boldSystemFont(14), Color::white(),
                                 TextAlignment::Center);
    backCaption->setText(text("Back Key"));
    backCaption->setUserInteractionEnabled(false);
    goBack_->addSubview(backCaption);
    goBack_->setHidden(true);
    goBack_->onTouchUpInside = [this] { goBackClicked(); };
    menuLbl_ = makeLabel(Rect(Point{100, -8}, menuTitleSize), Font::boldSystemFont(18),
                         Color::white(), TextAlignment::Center);
    menuLbl_->setHidden(true);
    infoView_->addSubview(dockView_);
    infoView_->addSubview(goBack_);
    infoView_->addSubview(menuLbl_);

    mainScrollView_ = std::make_shared<ScrollView>(Rect(0, stripY, 320, 480 - stripY));
    mainScrollView_->setContentSize(stripContent);
    mainScrollView_->setScrollEnabled(false);
    mainScrollView_->setShowsHorizontalScrollIndicator(false);
    mainScrollView_->setShowsVerticalScrollIndicator(false);
    infoView_->addSubview(mainScrollView_);
    infoView_->setBackgroundColor(Color::clear());
    mainView_->addSubview(infoView_);

    for (const PetalRow& row : PetalTable::rows()) {
        auto& pageView = page(row.page).view();
        pageView->setFrame(Rect(row.pageX, 0, pageWidth, ViewController::screenHeight));
        mainScrollView_->addSubview(pageView);
        if (row.page == MainPageKind::summary) {
            page(row.page).makeDateArrays();
        }
    }

    goToCalBtn_ = std::make_shared<Button>(Rect(6, 2, 105, 25));
    goToCalBtn_->onTouchUpInside = [this] { goToCalClicked(); };
    goToCalLbl_ = makeLabel(Rect(20, 0, 60, 25), Font::boldSystemFont(13), Color::white(),
                            TextAlignment::Center);
    goToCalLbl_->setText(text("Calendar Key"));
    goToCalLbl_->setUserInteractionEnabled(false);
    goToCalBtn_->addSubview(goToCalLbl_);
    goToCalBtn_->setHidden(true);
    goToCalLbl_->setHidden(true);
    infoView_->addSubview(goToCalBtn_);
}

void MainViewController::buildOverlays() {
    summaryCalendarView_ = std::make_shared<View>(summaryCalendarParked);
    mainView_->addSubview(summaryCalendarView_);
    summaryCalendar_ = SummaryCalendarController::create(*this);
    summaryCalendarView_->addSubview(summaryCalendar_->view());
    centerCalendarView_ = std::make_shared<View>(centerCalendarParked);
    mainView_->addSubview(centerCalendarView_);
    centerCalendar_ = CenterCalendarController::create(*this);
    centerCalendarView_->addSubview(centerCalendar_->view());

    veil_ = std::make_shared<BusyVeil>(mainView_->bounds());
    mainView_->addSubview(veil_);
    help_ = std::make_shared<MainHelpOverlay>();
    mainView_->addSubview(help_);
    // The held centre's shadow lies over the centre button.
    flowerView_->addSubview(center_->shadow().shared_from_this());

    accountFormView_ = std::make_shared<View>(Rect(0, 0, 320, 200));
    accountFormView_->setCenter(hiddenAccountFormCenter);
    mainView_->addSubview(accountFormView_);
}

void MainViewController::applyFirstRun() {
    int units = 0;
    // An unreadable diary shows its problem instead of the setup.
    if (DatabaseController::isFirstTimeOn().value_or(0) == 1) {
        firstGlobalController_ = std::make_shared<FirstGlobalController>(weakSelf());
        firstGlobalController_->view()->setFrame(Rect(0, 0, 320, 460));
        mainView_->addSubview(firstGlobalController_->view());
        setDefaults();
        // Metric everywhere but in the United States.
        units = Locale::current().identifier() == "en_US" ? 0 : 1;
        // Not stored, the choice is made again at the next start; the
        // diary's alert says why.
        static_cast<void>(DatabaseController::saveSi(units));
    } else {
        units = DatabaseController::getSi().value_or(1);
    }
    page(MainPageKind::notes).setSi(units);
}

void MainViewController::firstRunChoseSkin(int skin) {
    setNewSkin(skin);
}

void MainViewController::firstRunFinished() {
    mainInfoClicked();
}

void MainViewController::setDefaults() {
    for (const char* key : {"mainFirst", "chartsFirst", "noteFirst", "calendarFirst",
                            "summaryFirst", "forumFirst", "settingsFirst"}) {
        usrDefault_->setBool(key, true);
    }
    usrDefault_->synchronize();
}

// Petals.

void MainViewController::animatePetal(MainPageKind kind, Point center, const char* key) {
    if (oldOS_) {
        return;
    }
    petalView(kind).addAnimation(positionAnimation(center, panelDuration), key);
}

void MainViewController::petalHold(MainPageKind kind) {
    const PetalRow& row = PetalTable::row(kind);
    CustomPetalView& petal = petalView(kind);
    petal.setPetalImg(Image::named(PetalTable::picture(row.selectedPicture, skin_)));
    Point rest = row.restingCenter();
    animatePetal(kind, {rest.x + row.holdShift.x, rest.y + row.holdShift.y}, "settingsHoldAnim");
}

void MainViewController::petalLetGo(MainPageKind kind) {
    const PetalRow& row = PetalTable::row(kind);
    tmpPetalImgName_ = PetalTable::picture(row.normalPicture, skin_);
    petalView(kind).setPetalImg(Image::named(tmpPetalImgName_));
    animatePetal(kind, row.restingCenter(), "settingsLetGoAnim");
}

void MainViewController::petalOpen(MainPageKind kind) {
    const PetalRow& row = PetalTable::row(kind);
    if (analytics_) {
        analytics_->logEvent("petal opened");
    }
    goToCalBtn_->setHidden(true);
    goToCalLbl_->setHidden(true);
    cloud_->statusLabel().setAlpha(0);
    preparePage(row);

    loadImg_ = true;
    CustomPetalView& petal = petalView(kind);
    flowerView_->bringSubviewToFront(&petal);

    auto grow = std::make_shared<BasicAnimation>("bounds.size");
    grow->setToValue(Size{900, 900});
    grow->setDuration(openDuration);
    Rect mainFrame = mainView_->frame();
    auto move = std::make_shared<BasicAnimation>("position");
    move->setToValue(Point{0.5 * mainFrame.minX() + row.openTarget.x,
                           0.5 * mainFrame.minY() + row.openTarget.y});
    move->setDuration(openDuration);
    auto group = std::make_shared<AnimationGroup>();
    group->setAnimations({grow, move});
    group->setDuration(openDuration);
    group->setRemovedOnCompletion(false);
    group->setDelegate(weakSelf());
    openAnimation_ = group;
    petal.addAnimation(group, format("groupAnim%d", row.number));
    View::animate(openDuration, [this] { flowerView_->setAlpha(0); });

    petal_ = row.number;
    patelCoordValue_ = row.returnCenter();
    tmpPetalImgName_ = PetalTable::picture(row.normalPicture, skin_);

    dockView_->setImage(Image::named(PetalTable::picture("dock_up_%d.png", skin_)));
    menuLbl_->setText(text(row.titleKey));
    menuLbl_->setHidden(false);
    showPage(row.pageX);

    enableButtons(false);
    if (kind == MainPageKind::settings) {
        goBack_->setHidden(!lock_);
    } else if (kind == MainPageKind::notes) {
        goBack_->setHidden(true);
    }
    fadeInInfo();
    refreshPage(row);
    showFirstUseHint(row);
}

void MainViewController::preparePage(const PetalRow& row) {
    if (row.page == MainPageKind::calendar) {
        page(row.page).setLastSelectedDate(Date(0));
        page(row.page).setCalendarWithDate(today235959());
    } else if (row.page == MainPageKind::notes) {
        page(row.page).makeUsedDate(today235959());
    }
}

void MainViewController::refreshPage(const PetalRow& row) {
    switch (row.page) {
    case MainPageKind::charts:
        page(row.page).changePeriodModeTo(0);
        page(row.page).reloadGraph();
        break;
    case MainPageKind::summary:
        changeSummary();
        break;
    case MainPageKind::forum:
        page(row.page).checkConnectivity();
        break;
    default:
        break;
    }
}

void MainViewController::showFirstUseHint(const PetalRow& row) {
    if (usrDefault_->boolForKey(row.firstUseKey)) {
        hint_->reveal();
        usrDefault_->setBool(row.firstUseKey, false);
        usrDefault_->synchronize();
        switch (row.page) {
        case MainPageKind::charts:
        case MainPageKind::forum:
        case MainPageKind::settings: {
            switchFirtsUseLbls(-1);
            activateFirstAnimTmr();
            break;
        }
        default:
            page(row.page).infoBtnClicked();
            break;
        }
    }
    if (row.page == MainPageKind::calendar) {
        page(row.page).setLastSelectedDate(Clock::current()->now());
    } else if (row.page == MainPageKind::notes) {
        page(row.page).flashHeaderScrollIndicators();
    }
}

void MainViewController::fadeInInfo() {
    infoView_->setAlpha(0);
    infoView_->setCenter({160, panelUpY});
    View::animate(fadeInDuration, [this] { infoView_->setAlpha(1); });
}

void MainViewController::animationDidStop(const Animation& animation, bool /*finished*/) {
    if (petal_ == 0 || &animation != openAnimation_.get()) {
        return;
    }
    const PetalRow& row = PetalTable::numbered(petal_);
    CustomPetalView& petal = petalView(row.page);
    petal.addAnimation(positionAnimation(patelCoordValue_, panelDuration), "return");
    flowerView_->sendSubviewToBack(&petal);
    isUp_ = true;
}

void MainViewController::centerHold() {
    center_->setHeld(true);
}

void MainViewController::centerLetGo() {
    center_->setHeld(false);
}

// The start/end date picker.

void MainViewController::centerPressed() {
    Calendar calendar = Calendar::current();
    Date now = Clock::current()->now();
    bool start = isStartDate();
    Date day = start ? now
                     : Date(double(DatabaseController::getLatestStartDay().value_or(
                           static_cast<long long>(now.timeIntervalSince1970()))));
    callCenterCalendarWithOpt(start, calendar.endOfDay(day), false);
}

void MainViewController::callCenterCalendarWithOpt(bool startMode, Date selectedDate,
                                                   bool disableDelete) {
    pickingStart_ = startMode;
    calSelectedDate_ = selectedDate;
    centerCalendar_->changeCenterCal(startMode, selectedDate, disableDelete);
    bringCenterCalendarUp();
}

void MainViewController::bringCenterCalendarUp() {
    View::animate(panelDuration, [this] {
        centerCalendarView_->setCenter({160, calHeig_});
        infoView_->setCenter({160, 1100});
    });
    mainView_->bringSubviewToFront(centerCalendarView_.get());
    enableButtons(false);
    centerCalendarUp_ = true;
    center_->setHeld(false);
    changeTranspView(0.5, false);
}

void MainViewController::bringCenterCalendarDown(Date date, bool save) {
    if (save) {
        PeriodEntry::Mode mode = pickingStart_ ? PeriodEntry::Mode::start : PeriodEntry::Mode::end;
        auto outcome = DiaryActions::logPeriodDay(mode, date, Clock::current()->now());
        if (!outcome.saved() && !outcome.changedElsewhere()) {
            return; // the calendar stays up; a failure is told by the diary's alert
        }
    }
    View::animate(panelDuration, [this] {
        centerCalendarView_->setCenter({160, 700});
        infoView_->setCenter({160, panelDownY});
    });
    enableButtons(true);
    centerCalendarUp_ = false;
    changeTranspView(0, false);
}

void MainViewController::replanReminders() {
    LocalNotificationCenter center(LocalNotificationStore::standard());
    // A diary that cannot be read keeps the pending reminders.
    static_cast<void>(ReminderScheduler(center).resetNotifications());
}

// The past period calendar.

void MainViewController::bringSummaryCalendarUp(Date startDate, Date endDate, int mode,
                                                bool withDelete, bool isNew) {
    summaryCalendar_->setSkin(skin_);
    summaryCalendar_->reloadData(startDate, endDate, mode, withDelete, isNew);
    summaryCalendar_->viewWillAppear();
    mainView_->bringSubviewToFront(summaryCalendarView_.get());
    View::animate(panelDuration, [this] { summaryCalendarView_->setFrame(summaryCalendarRaised); });
}

void MainViewController::sendSummaryCalendarDown(Date startDate, Date endDate, bool isNew,
                                                 Date oldDate, int mode) {
    PastPeriodEntry::Entry entry{startDate, endDate, isNew, oldDate,
                                 static_cast<PastPeriodEntry::Mode>(mode)};
    PastPeriodEntry::Outcome outcome = DiaryActions::savePastPeriod(entry);
    if (outcome.error) {
        return; // the diary's alert says why; the entry stays on screen
    }
    if (outcome.refusal) {
        auto alert = std::make_shared<AlertView>(
            text("Period not saved Key"), text(PastPeriodEntry::messageKey(*outcome.refusal)),
            std::weak_ptr<AlertViewDelegate>(), text("OK Key"), std::vector<std::string>{});
        alert->show();
        return;
    }
    lowerSummaryCalendar();
    page(MainPageKind::summary).deselectCell();
}

void MainViewController::summaryCalendarCancelClicked() {
    lowerSummaryCalendar();
    page(MainPageKind::summary).deselectCell();
}

void MainViewController::lowerSummaryCalendar() {
    View::animate(summaryCalendarDownDuration,
                  [this] { summaryCalendarView_->setFrame(summaryCalendarParked); });
}

void MainViewController::deleteDate() {
    auto start = static_cast<long long>(calSelectedDate_.timeIntervalSince1970());
    if (DiaryActions::deletePeriod(start)) {
        page(MainPageKind::summary).deselectCell();
    }
}

void MainViewController::changeCalSize(int height) {
    calHeig_ = height > 230 ? height + 80 : height + 165;
    if (centerCalendarUp_) {
        centerCalendarView_->setCenter({160, calHeig_});
    }
}

// The panel.

void MainViewController::showPage(double x) {
    mainScrollView_->setContentOffset({x, 0}, false);
}

void MainViewController::bringInfoUp() {
    // The flag follows the panel whoever raises it, so that the next drag
    // reads the panel's real state.
    isUp_ = true;
    View::animate(panelDuration, [this] {
        flowerView_->setAlpha(0);
        infoView_->setCenter({160, panelUpY});
        infoView_->setAlpha(1);
    });
    dockView_->setImage(Image::named(PetalTable::picture("dock_up_%d.png", skin_)));
    menuLbl_->setHidden(false);
    double x = mainScrollView_->contentOffset().x;
    if (x > settingsPageFrom) {
        goBack_->setHidden(!lock_);
    } else if (x >= notesPageX && x <= summaryPageX) {
        page(MainPageKind::notes).makeUsedDate(Clock::current()->now());
    }
    cloud_->statusLabel().setAlpha(0);
}

void MainViewController::bringInfoDown() {
    makeAnimWithSwitchingLbls();
    if (isUp_) {
        resetAnim();
        if (loadImg_ && petal_ != 0) {
            const PetalRow& row = PetalTable::numbered(petal_);
            petalView(row.page).setPetalImg(Image::named(tmpPetalImgName_));
            loadImg_ = false;
        }
    }
    View::animate(panelDuration, [this] {
        flowerView_->setAlpha(1);
        infoView_->setCenter({160, panelDownY});
    });
    dockView_->setImage(Image::named(PetalTable::picture("dock_%d.png", skin_)));
    menuLbl_->setHidden(true);
    enableButtons(true);
    goBack_->setHidden(true);
    double x = mainScrollView_->contentOffset().x;
    if (x > notesPageX - 1 && x < summaryPageX) {
        page(MainPageKind::notes).keyboardDownClicked();
        page(MainPageKind::notes).scrollToLeft();
    }
    dismissInfoViews();
    cloud_->statusLabel().setAlpha(1);
    goToCalBtn_->setHidden(true);
    goToCalLbl_->setHidden(true);
    isUp_ = false;
}

void MainViewController::newDown() {
    if (isUp_) {
        bringInfoDown();
    }
}

void MainViewController::statusBarTouch() {
    if (isUp_ && goBack_->isHidden() && goToCalBtn_->isHidden() &&
        summaryCalendarView_->frame().minY() > summaryCalendarRaisedY) {
        bringInfoDown();
        drag_.clear();
        isUp_ = false;
    }
}

void MainViewController::enableButtons(bool enabled) {
    for (auto& button : petalButtons_) {
        button->setEnabled(enabled);
    }
}

void MainViewController::backBtnHidden(bool hidden) {
    goBack_->setHidden(hidden);
}

void MainViewController::goBackClicked() {
    page(MainPageKind::settings).popController();
}

void MainViewController::panelTouchBegan(Point touch) {
    if (help_->isShowing()) {
        return;
    }
    drag_.began(touch, infoView_->center(), isUp_);
}

void MainViewController::panelTouchMoved(Point touch) {
    if (help_->isShowing()) {
        return;
    }
    if (auto center = drag_.moved(touch, isUp_)) {
        infoView_->setCenter(*center);
        cloud_->statusLabel().setAlpha(touch.y / 600);
        flowerView_->setAlpha(touch.y / 600);
        makeAnimWithSwitchingLbls();
        cloud_->setFrame(StatusCloud::home());
    }
    if (isUp_ && drag_.wantsDown()) {
        cloud_->setFrame(StatusCloud::home());
    }
}

void MainViewController::panelTouchEnded(Point touch) {
    if (centerCalendarUp_ || summaryCalendarView_->frame().minY() <= summaryCalendarRaisedY) {
        drag_.clear();
        return;
    }
    switch (drag_.ended(touch)) {
    case PanelDrag::Release::raise:
        bringInfoUp();
        isUp_ = true;
        break;
    case PanelDrag::Release::lower:
        bringInfoDown();
        isUp_ = false;
        break;
    case PanelDrag::Release::none:
        break;
    }
}

// Modal screens and the veil.

void MainViewController::presentModalController(std::shared_ptr<ViewController> controller) {
    presentModalViewController(std::move(controller), true);
}

void MainViewController::dismissModalController() {
    dismissModalViewController(true);
    if (drag_.wantsDown()) {
        auto self = weakSelf();
        newDownTmr_ = Timer(downAfterModal, false, [self] {
            if (auto controller = self.lock()) {
                controller->newDown();
            }
        });
        drag_.clear();
    }
}

void MainViewController::changeTranspView(double alpha, bool withIndicator) {
    veil_->fadeTo(alpha, withIndicator);
}

// Moving between pages.

void MainViewController::scrollToNotesWithDate(Date date) {
    goToCalBtn_->setHidden(false);
    goToCalLbl_->setHidden(false);
    page(MainPageKind::notes).makeUsedDate(date);
    page(MainPageKind::notes).scrollToLeft();
    mainScrollView_->setContentOffset({notesPageX, 0}, true);
}

void MainViewController::goToCalClicked() {
    goToCalBtn_->setHidden(true);
    goToCalLbl_->setHidden(true);
    page(MainPageKind::notes).keyboardDownClicked();
    page(MainPageKind::notes).reloadCalendar();
    mainScrollView_->scrollRectToVisible(Rect(calendarPageX, 0, 320, 480), true);
}

// Today's status.

void MainViewController::calculateInfoLbl() {
    auto inputs = CycleInputs::today(isStartDate(), Clock::current()->now());
    if (!inputs) {
        showUnreadableStatus();
        return;
    }
    TodayDisplay display = TodayStatus::status(*inputs);
    center_->show(display);
    cloud_->setStatusText(displayText(display.cloudText));
}

// No number rather than a made-up one: the diary's alert says what is wrong.
void MainViewController::showUnreadableStatus() {
    center_->showUnreadable();
    cloud_->setStatusText("");
}

void MainViewController::setCenter() {
    auto remaining = DatabaseController::getRemainingDays(Clock::current()->now());
    if (!remaining) {
        showUnreadableStatus();
        return;
    }
    center_->show(TodayStatus::remainingDaysCenter(*remaining));
}

void MainViewController::usePregnancyMode(bool on) {
    if (!on) {
        centerButton_->setEnabled(true);
        calculateInfoLbl();
        return;
    }
    auto start = DatabaseController::getPregnantStartDate();
    if (!start) {
        showUnreadableStatus();
        return;
    }
    TodayDisplay display = PregnancyCountdown::display(*start, Clock::current()->now());
    centerButton_->setEnabled(display.centerButtonEnabled);
    center_->show(display);
    cloud_->setStatusText(displayText(display.cloudText));
}

void MainViewController::reloadForToday() {
    usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
    if (mainScrollView_->contentOffset().x >= firstPageEnds) {
        page(MainPageKind::calendar).setCalendarWithDate(today235959());
        page(MainPageKind::calendar).setLastSelectedDate(Date(0));
    }
}

void MainViewController::reloadInfoForDate(Date date) {
    page(MainPageKind::calendar).setCalendarWithDate(Calendar::current().endOfDay(date));
    page(MainPageKind::calendar).setLastSelectedDate(Date(0));
}

// Forwarding to the pages.

void MainViewController::setSi(int units) {
    page(MainPageKind::notes).setSi(units);
}

void MainViewController::changeSummary() {
    page(MainPageKind::summary).reloadEverything();
}

void MainViewController::refreshGlobalCalendar() {
    page(MainPageKind::calendar).setCalendarWithDate(Clock::current()->now());
}

void MainViewController::reloadCalendarDataForDate(Date date) {
    page(MainPageKind::calendar).setCalendarWithDate(date);
}

void MainViewController::setNotification(int kind, int days) {
    page(MainPageKind::settings).setNotification(kind, days);
}

void MainViewController::dismissInfoViews() {
    page(MainPageKind::notes).dismissInfoView();
    page(MainPageKind::calendar).dismissInfoView();
    page(MainPageKind::summary).dismissInfoView();
}

// Skins.

void MainViewController::setNewSkin(int skin) {
    mainScrollView_->setScrollEnabled(false);
    skin_ = skin;
    goBack_->setBackgroundImage(Image::named(PetalTable::picture("back_button_%d.png", skin)));
    goToCalBtn_->setBackgroundImage(
        Image::named(PetalTable::picture("calendar_button_%d.png", skin)));
    cloud_->setSkin(skin);
    center_->setSkin(skin);
    for (const PetalRow& row : PetalTable::rows()) {
        CustomPetalView& petal = petalView(row.page);
        petal.setPetalImg(Image::named(PetalTable::picture(row.normalPicture, skin)));
        petal.setSkin(skin);
    }
    backgroundView_->setImage(Image::named(PetalTable::picture("bg_%d.jpg", skin)));
    dockView_->setImage(
        Image::named(PetalTable::picture(isUp_ ? "dock_up_%d.png" : "dock_%d.png", skin)));
    tmpPetalImgName_ = PetalTable::picture("petal_settings_%d.png", skin);
    // Not stored, the skin is shown until the next start; the diary's alert
    // says why.
    static_cast<void>(DatabaseController::saveSkin(skin));
    lock_ = DatabaseController::isFirstTimeOn().value_or(0) != 1;

    page(MainPageKind::settings).reloadTables();
    page(MainPageKind::charts).reloadButtons();
    page(MainPageKind::summary).setSkin(skin);
    usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
}

// First-use hints.

void MainViewController::switchFirtsUseLbls(int direction) {
    hint_->swap(direction);
}

void MainViewController::makeAnimWithSwitchingLbls() {
    hint_->park(center_->caption().frame().size);
}

void MainViewController::activateFirstAnimTmr() {
    hint_->swapBackLater();
}

void MainViewController::resetAnim() {
    cloud_->restartDrift();
}

// The help overlay.

void MainViewController::mainInfoClicked() {
    help_->show();
}

bool MainViewController::isInfo() const {
    return help_->isShowing();
}

// The parts of the screen.

ImageView& MainViewController::centerImgView() const {
    return center_->disc();
}

ImageView& MainViewController::centerShadowView() const {
    return center_->shadow();
}

Label& MainViewController::infoLbl() const {
    return cloud_->statusLabel();
}

Label& MainViewController::remainingDaysLbl() const {
    return center_->number();
}

Label& MainViewController::titleLbl() const {
    return center_->caption();
}

Label& MainViewController::firstUseLbl() const {
    return hint_->label();
}

View& MainViewController::bigTranspView() const {
    return *veil_;
}

ActivityIndicator& MainViewController::indicatorView() const {
    return veil_->indicator();
}

View& MainViewController::mainInfoView() const {
    return *help_;
}

} // namespace florelle
