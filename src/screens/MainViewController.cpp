// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainViewController.h"

#include "Analytics.h"
#include "DisplayText.h"
#include "FirstGlobalController.h"
#include "SyncController.h"
#include "TouchForwardingView.h"
#include "cycle/CycleInputs.h"
#include "cycle/PregnancyCountdown.h"
#include "cycle/TodayStatus.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/UserDefaults.h"
#include "platform/PasswordVault.h"
#include "storage/DatabaseController.h"
#include "sync/SyncAccount.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

namespace florelle {

namespace {

constexpr double downAfterModal = 1.0;
// The panel moves out of the way below the screen for the centre calendar.
constexpr double panelAwayY = 1100;
// Strip offsets that tell which page is on show.
constexpr double settingsPageFrom = 1590;
constexpr double notesPageX = 640;
constexpr double summaryPageX = 960;
constexpr double calendarPageX = 320;
constexpr double firstPageEnds = 291;

Date today235959() {
    return Calendar::current().endOfDay(Clock::current()->now());
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
    bool placed = isPlaced(kind);
    if (placed) {
        slot->view()->removeFromSuperview();
    }
    slot = std::move(page);
    if (placed) {
        placePage(kind);
    }
}

bool MainViewController::isPlaced(MainPageKind kind) const {
    MainPage& shown = page(kind);
    return panel_ && shown.isViewLoaded() && shown.view()->superview() == &panel_->strip();
}

void MainViewController::placePage(MainPageKind kind) {
    if (!isPlaced(kind)) {
        panel_->placePage(page(kind).view(), PetalTable::row(kind).pageX);
    }
}

void MainViewController::placePageOnShow() {
    for (const PetalRow& row : PetalTable::rows()) {
        if (row.pageX == panel_->pageOffset()) {
            placePage(row.page);
        }
    }
}

void MainViewController::loadView() {
    mainView_ = std::make_shared<TouchForwardingView>(
        Rect(0, 0, ViewController::screenWidth, ViewController::screenHeight));
    setView(mainView_);
}

void MainViewController::viewDidLoad() {
    skin_ = DatabaseController::getSkin().value_or(0);
    drag_.clear();
    diaryChanges_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification, [this](const Notification&) {
            usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
        });
    usrDefault_ = UserDefaults::standardUserDefaults();

    backgroundView_ = std::make_shared<ImageView>(mainView_->bounds());
    mainView_->addSubview(backgroundView_);
    flower_ = std::make_shared<Flower>();
    flower_->build(skin_);
    flower_->onPetalTapped = [this](MainPageKind kind) { petalOpen(kind); };
    flower_->onCenterTapped = [this] { centerPressed(); };
    flower_->onPetalOpened = [this] { isUp_ = true; };
    mainView_->addSubview(flower_);
    buildPanel();
    buildOverlays();
    panel_->showPage(notesPageX, false);
    hint_ = std::make_unique<FirstUseHint>(
        *mainView_, std::static_pointer_cast<Label>(panel_->title().shared_from_this()));
    cloud_ = std::make_shared<StatusCloud>();
    mainView_->addSubview(cloud_);

    mainView_->bringSubviewToFront(flower_.get());
    mainView_->bringSubviewToFront(panel_.get());
    mainView_->bringSubviewToFront(&hint_->label());
    mainView_->bringSubviewToFront(veil_.get());
    mainView_->bringSubviewToFront(accountFormView_.get());
    mainView_->bringSubviewToFront(help_.get());
    mainView_->bringSubviewToFront(&summaryCalendarView());

    applyFirstRun();
    setNewSkin(skin_);
    lock_ = false;

    mainView_->onTouchBegan = [this](Point p) { panelTouchBegan(p); };
    mainView_->onTouchMoved = [this](Point p) { panelTouchMoved(p); };
    mainView_->onTouchEnded = [this](Point p) { panelTouchEnded(p); };
    mainView_->onTouchCancelled = [this] { drag_.clear(); };
    resetAnim();
}

void MainViewController::buildPanel() {
    panel_ = std::make_shared<InfoPanel>();
    panel_->onBack = [this] { goBackClicked(); };
    panel_->onGoToCalendar = [this] { goToCalClicked(); };
    mainView_->addSubview(panel_);
}

void MainViewController::buildOverlays() {
    calendars_ = std::make_unique<PeriodCalendars>(*mainView_, *this);
    veil_ = std::make_shared<BusyVeil>(mainView_->bounds());
    mainView_->addSubview(veil_);
    help_ = std::make_shared<MainHelpOverlay>();
    mainView_->addSubview(help_);

    setPasswordVault(std::make_shared<SecretServiceVault>());
}

void MainViewController::setPasswordVault(std::shared_ptr<PasswordVault> vault) {
    auto form = std::make_shared<SyncController>(weakSelf(), std::move(vault));
    form->view()->setCenter(SyncController::hiddenCenter);
    if (accountFormView_) {
        mainView_->insertSubviewAbove(form->view(), accountFormView_.get());
        accountFormView_->removeFromSuperview();
    } else {
        mainView_->addSubview(form->view());
    }
    syncForm_ = std::move(form);
    accountFormView_ = syncForm_->view();
}

// The calendar sync.

void MainViewController::sync() {
    syncForm_->loadUserData();
    View::animate(0.3, [this] { accountFormView_->setCenter(SyncController::restingCenter); });
    changeTranspView(0.5, false);
}

void MainViewController::cancelClicked() {
    View::animate(panelDuration,
                  [this] { accountFormView_->setCenter(SyncController::hiddenCenter); });
    changeTranspView(0, false);
}

void MainViewController::syncWithUser(const std::string& server, const std::string& user,
                                      const std::string& password) {
    CalendarSync engine =
        calendarSync({server, user, password}, Calendar::current(), Clock::current()->now());
    std::weak_ptr<SyncController> form = syncForm_;
    engine.cancelled = [form] {
        auto shown = form.lock();
        return !shown || shown->isCancelled();
    };
    SyncOutcome outcome = engine.syncWithUser();
    if (outcome.imported > 0) {
        NotificationCenter::defaultCenter().post(DiaryActions::diaryChangedNotification);
    }
    syncForm_->syncedSuccessful(outcome);
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

void MainViewController::setDefaults() {
    for (const char* key : {"mainFirst", "chartsFirst", "noteFirst", "calendarFirst",
                            "summaryFirst", "forumFirst", "settingsFirst"}) {
        usrDefault_->setBool(key, true);
    }
    usrDefault_->synchronize();
}

void MainViewController::petalOpen(MainPageKind kind) {
    const PetalRow& row = PetalTable::row(kind);
    if (analytics_) {
        analytics_->logEvent("petal opened");
    }
    panel_->setCalendarShortcutShown(false);
    cloud_->statusLabel().setAlpha(0);
    placePage(kind);
    preparePage(row);

    flower_->openPetal(kind, mainView_->frame().origin);

    panel_->title().setText(Strings::localized(row.titleKey));
    panel_->setRaised(true, skin_);
    panel_->showPage(row.pageX, false);

    enableButtons(false);
    if (kind == MainPageKind::settings) {
        panel_->backButton().setHidden(!lock_);
    } else if (kind == MainPageKind::notes) {
        panel_->backButton().setHidden(true);
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
    panel_->setAlpha(0);
    panel_->setCenter({160, panelUpY});
    View::animate(fadeInDuration, [this] { panel_->setAlpha(1); });
}

// The start/end date picker.

void MainViewController::centerCalendarRaised() {
    View::animate(panelDuration, [this] { panel_->setCenter({160, panelAwayY}); });
    enableButtons(false);
    flower_->center().setHeld(false);
    changeTranspView(0.5, false);
}

void MainViewController::centerCalendarLowered() {
    View::animate(panelDuration, [this] { panel_->setCenter({160, panelDownY}); });
    enableButtons(true);
    changeTranspView(0, false);
}

void MainViewController::pastPeriodEditEnded() {
    page(MainPageKind::summary).deselectCell();
}

// The panel.

void MainViewController::bringInfoUp() {
    // The flag follows the panel whoever raises it, so that the next drag
    // reads the panel's real state.
    isUp_ = true;
    placePageOnShow();
    View::animate(panelDuration, [this] {
        flower_->setAlpha(0);
        panel_->setCenter({160, panelUpY});
        panel_->setAlpha(1);
    });
    panel_->setRaised(true, skin_);
    double x = panel_->pageOffset();
    if (x > settingsPageFrom) {
        panel_->backButton().setHidden(!lock_);
    } else if (x >= notesPageX && x <= summaryPageX) {
        page(MainPageKind::notes).makeUsedDate(Clock::current()->now());
    }
    cloud_->statusLabel().setAlpha(0);
}

void MainViewController::bringInfoDown() {
    makeAnimWithSwitchingLbls();
    if (isUp_) {
        resetAnim();
        flower_->restorePetalPicture();
    }
    View::animate(panelDuration, [this] {
        flower_->setAlpha(1);
        panel_->setCenter({160, panelDownY});
    });
    panel_->setRaised(false, skin_);
    enableButtons(true);
    panel_->backButton().setHidden(true);
    double x = panel_->pageOffset();
    if (x > notesPageX - 1 && x < summaryPageX && page(MainPageKind::notes).isViewLoaded()) {
        page(MainPageKind::notes).keyboardDownClicked();
        page(MainPageKind::notes).scrollToLeft();
    }
    dismissInfoViews();
    cloud_->statusLabel().setAlpha(1);
    panel_->setCalendarShortcutShown(false);
    isUp_ = false;
}

void MainViewController::newDown() {
    if (isUp_) {
        bringInfoDown();
    }
}

bool MainViewController::keyPressed(Key key) {
    if (!isUp_ || help_->isShowing()) {
        return false;
    }
    for (const auto& row : PetalTable::rows()) {
        if (isPageOnShow(row.page)) {
            return page(row.page).keyPressed(key);
        }
    }
    return false;
}

bool MainViewController::isPageOnShow(MainPageKind kind) const {
    return panel_ && panel_->pageOffset() == PetalTable::row(kind).pageX;
}

void MainViewController::statusBarTouch() {
    if (isUp_ && panel_->backButton().isHidden() && !panel_->calendarShortcutShown() &&
        !calendars_->summaryCalendarUp()) {
        bringInfoDown();
        drag_.clear();
        isUp_ = false;
    }
}

void MainViewController::panelTouchBegan(Point touch) {
    if (help_->isShowing()) {
        return;
    }
    drag_.began(touch, panel_->center(), isUp_);
}

void MainViewController::panelTouchMoved(Point touch) {
    if (help_->isShowing()) {
        return;
    }
    if (auto center = drag_.moved(touch, isUp_)) {
        // The page on show rises with the panel.
        placePageOnShow();
        panel_->setCenter(*center);
        cloud_->statusLabel().setAlpha(touch.y / 600);
        flower_->setAlpha(touch.y / 600);
        makeAnimWithSwitchingLbls();
        cloud_->setFrame(StatusCloud::home());
    }
    if (isUp_ && drag_.wantsDown()) {
        cloud_->setFrame(StatusCloud::home());
    }
}

void MainViewController::panelTouchEnded(Point touch) {
    if (calendars_->isUp()) {
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

// Moving between pages.

void MainViewController::scrollToNotesWithDate(Date date) {
    panel_->setCalendarShortcutShown(true);
    placePage(MainPageKind::notes);
    page(MainPageKind::notes).makeUsedDate(date);
    page(MainPageKind::notes).scrollToLeft();
    panel_->showPage(notesPageX, true);
}

void MainViewController::goToCalClicked() {
    panel_->setCalendarShortcutShown(false);
    placePage(MainPageKind::calendar);
    page(MainPageKind::notes).keyboardDownClicked();
    page(MainPageKind::notes).reloadCalendar();
    panel_->strip().scrollRectToVisible(Rect(calendarPageX, 0, 320, 480), true);
}

// Today's status.

void MainViewController::calculateInfoLbl() {
    auto inputs = CycleInputs::today(isStartDate(), Clock::current()->now());
    if (!inputs) {
        showUnreadableStatus();
        return;
    }
    showToday(TodayStatus::status(*inputs));
}

void MainViewController::showToday(const TodayDisplay& display) {
    flower_->center().show(display);
    cloud_->setStatusText(displayText(display.cloudText));
}

// No number rather than a made-up one: the diary's alert says what is wrong.
void MainViewController::showUnreadableStatus() {
    flower_->center().showUnreadable();
    cloud_->setStatusText("");
}

void MainViewController::setCenter() {
    auto remaining = DatabaseController::getRemainingDays(Clock::current()->now());
    if (!remaining) {
        showUnreadableStatus();
        return;
    }
    flower_->center().show(TodayStatus::remainingDaysCenter(*remaining));
}

void MainViewController::usePregnancyMode(bool on) {
    if (!on) {
        flower_->centerButton().setEnabled(true);
        calculateInfoLbl();
        return;
    }
    auto start = DatabaseController::getPregnantStartDate();
    if (!start) {
        showUnreadableStatus();
        return;
    }
    TodayDisplay display = PregnancyCountdown::display(*start, Clock::current()->now());
    flower_->centerButton().setEnabled(display.centerButtonEnabled);
    showToday(display);
}

void MainViewController::reloadForToday() {
    usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
    // A calendar not built yet shows today when it is.
    if (panel_->pageOffset() >= firstPageEnds && page(MainPageKind::calendar).isViewLoaded()) {
        page(MainPageKind::calendar).setCalendarWithDate(today235959());
        page(MainPageKind::calendar).setLastSelectedDate(Date(0));
    }
}

void MainViewController::reloadInfoForDate(Date date) {
    if (!page(MainPageKind::calendar).isViewLoaded()) {
        return;
    }
    page(MainPageKind::calendar).setCalendarWithDate(Calendar::current().endOfDay(date));
    page(MainPageKind::calendar).setLastSelectedDate(Date(0));
}

// Forwarding to the pages.

void MainViewController::makeAnimWithSwitchingLbls() {
    hint_->park(titleLbl().frame().size);
}

void MainViewController::dismissInfoViews() {
    page(MainPageKind::notes).dismissInfoView();
    page(MainPageKind::calendar).dismissInfoView();
    page(MainPageKind::summary).dismissInfoView();
}

// Skins.

void MainViewController::setNewSkin(int skin) {
    panel_->strip().setScrollEnabled(false);
    skin_ = skin;
    panel_->setSkin(skin, isUp_);
    cloud_->setSkin(skin);
    flower_->setSkin(skin);
    backgroundView_->setImage(Image::named(PetalTable::picture("bg_%d.jpg", skin)));
    // Not stored, the skin is shown until the next start; the diary's alert
    // says why.
    static_cast<void>(DatabaseController::saveSkin(skin));
    lock_ = DatabaseController::isFirstTimeOn().value_or(0) != 1;

    // Pages not built yet take the skin when they are.
    if (page(MainPageKind::settings).isViewLoaded()) {
        page(MainPageKind::settings).reloadTables();
    }
    if (page(MainPageKind::charts).isViewLoaded()) {
        page(MainPageKind::charts).reloadButtons();
    }
    if (page(MainPageKind::summary).isViewLoaded()) {
        page(MainPageKind::summary).setSkin(skin);
    }
    usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
}

} // namespace florelle
