// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusyVeil.h"
#include "DiaryActions.h"
#include "FirstRunDelegate.h"
#include "FirstUseHint.h"
#include "Flower.h"
#include "FlowerCenter.h"
#include "InfoPanel.h"
#include "MainHelpOverlay.h"
#include "MainPage.h"
#include "MainPageHost.h"
#include "PanelDrag.h"
#include "PeriodCalendars.h"
#include "PetalTable.h"
#include "StatusCloud.h"
#include "SyncFormHost.h"
#include "foundation/Clock.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "ui/Button.h"
#include "ui/ViewController.h"

#include <array>
#include <memory>

namespace florelle {

class Analytics;
class PasswordVault;
class SyncController;
class FirstGlobalController;
class ImageView;
class TouchForwardingView;
class UserDefaults;

// The application's root screen: a flower of six petals on the skin's
// background, a cloud drifting across the top with today's status, the
// countdown in the flower's centre, and at the bottom the dock of the info
// panel. A petal opens its page: the petal grows over the screen while the
// panel rises with the page scrolled into view on its strip. The panel is
// dragged by its top bar and snaps up or down.
//
// The screen places its parts and conducts them; the pages reach it through
// MainPageHost. The controller lives as long as the process and owns the six
// pages.
class MainViewController : public ViewController,
                           public PeriodCalendarsHost,
                           public FirstRunDelegate,
                           public MainPageHost,
                           public SyncFormHost {
public:
    // Panel centre y when lowered and raised.
    static constexpr double panelDownY = PanelDrag::downCenterY;
    static constexpr double panelUpY = PanelDrag::upCenterY;
    static constexpr double panelDuration = 0.4;
    static constexpr double fadeInDuration = 0.7;

    MainViewController();
    ~MainViewController() override;

    // A page of the strip; the default pages are empty. A page's view is
    // built and put on the strip when the page is first shown (opened, or
    // raised with the panel), so that the launch builds only the flower.
    // Replacing a page puts the new one's view where the old one was.
    MainPage& page(MainPageKind kind) const;
    void setPage(MainPageKind kind, std::shared_ptr<MainPage> page);

    void viewDidLoad() override;

    // A tapped petal opens its page.
    void petalOpen(MainPageKind kind);

    // The start/end date picker, opened by the centre button on today for a
    // start, or on the open period's start day for its end. Lowering it with
    // `save` first stores the day; a day the entry rules refuse saves nothing
    // and leaves it up.
    void centerPressed() { calendars_->centerPressed(); }
    void callCenterCalendarWithOpt(bool startMode, Date selectedDate, bool disableDelete) {
        calendars_->callCenterCalendarWithOpt(startMode, selectedDate, disableDelete);
    }
    void bringCenterCalendarUp() { calendars_->bringCenterCalendarUp(); }
    void bringCenterCalendarDown(Date date, bool save) {
        calendars_->bringCenterCalendarDown(date, save);
    }
    // The picker's grid is `height` high: it sits higher the more rows.
    void changeCalSize(int height) { calendars_->changeCalSize(height); }
    CenterCalendarController& centerCalendar() const { return calendars_->centerCalendar(); }
    double calHeig() const { return calendars_->calHeig(); }
    // Whether the centre button starts a period (none is open), as the diary holds it.
    bool isStartDate() const { return DiaryActions::nextPeriodEntry() == PeriodEntry::Mode::start; }

    // The past period calendar, opened from the period log with the values
    // to show (an end of the epoch: none), the mode (0 start and end, 1 start
    // only, 2 end only) and whether the period is new. An entry that would
    // overlap another period saves nothing: an alert says why and the
    // calendar stays up.
    void bringSummaryCalendarUp(Date startDate, Date endDate, int mode, bool withDelete,
                                bool isNew) override {
        calendars_->bringSummaryCalendarUp(skin_, startDate, endDate, mode, withDelete, isNew);
    }
    void sendSummaryCalendarDown(Date startDate, Date endDate, bool isNew, Date oldDate, int mode) {
        calendars_->sendSummaryCalendarDown(startDate, endDate, isNew, oldDate, mode);
    }
    SummaryCalendarController& summaryCalendar() const { return calendars_->summaryCalendar(); }
    // The start of the period deleteDate removes.
    void setCalSelectedDate(Date date) override { calendars_->setCalSelectedDate(date); }
    Date calSelectedDate() const { return calendars_->calSelectedDate(); }
    // Deletes the period that starts at calSelectedDate; deleting the latest
    // one makes the next entry a start.
    void deleteDate() override { calendars_->deleteDate(); }

    // The panel.
    void bringInfoUp();
    void bringInfoDown();
    // Lowers the panel if it is up.
    void newDown();
    void statusBarTouch();
    // A key for the page on show while the panel is up.
    bool keyPressed(Key key);
    bool isPageOnShow(MainPageKind kind) const override;
    void enableButtons(bool enabled) { flower_->setPetalsEnabled(enabled); }
    void backBtnHidden(bool hidden) override { panel_->backButton().setHidden(hidden); }
    // The panel's back button: the settings page leaves its pushed screen.
    void goBackClicked() { page(MainPageKind::settings).popController(); }
    void setLock(bool lock) override { lock_ = lock; }

    // Modal screens.
    void presentModalController(std::shared_ptr<ViewController> controller) override {
        presentModalViewController(std::move(controller), true);
    }
    void dismissModalController() override;

    // The calendar sync: its account form slides in from below over the
    // half-drawn veil; a sync runs while the form's veil is dark.
    void sync() override;
    void cancelClicked() override;
    void syncWithUser(const std::string& server, const std::string& user,
                      const std::string& password) override;
    SyncController& syncForm() const { return *syncForm_; }
    // Where the form keeps the password; the desktop's keyring unless a test says otherwise.
    void setPasswordVault(std::shared_ptr<PasswordVault> vault);

    // The veil over the whole screen, with or without the busy indicator.
    void changeTranspView(double alpha, bool withIndicator) override {
        veil_->fadeTo(alpha, withIndicator);
    }

    // Moving between pages.
    void scrollToNotesWithDate(Date date) override;
    void goToCalClicked();

    // Today's status in the cloud and the flower's centre.
    void calculateInfoLbl();
    void setCenter();
    void usePregnancyMode(bool on) override;
    void reloadForToday();
    void reloadInfoForDate(Date date) override;

    // Hears every petal opened.
    void setAnalytics(std::shared_ptr<Analytics> analytics) { analytics_ = std::move(analytics); }

    // Forwarding to the pages.
    void setSi(int units) override { page(MainPageKind::notes).setSi(units); }
    void changeSummary() { page(MainPageKind::summary).reloadEverything(); }
    void refreshGlobalCalendar() {
        page(MainPageKind::calendar).setCalendarWithDate(Clock::current()->now());
    }
    void reloadCalendarDataForDate(Date date) override {
        page(MainPageKind::calendar).setCalendarWithDate(date);
    }
    void setNotification(int kind, int days) {
        page(MainPageKind::settings).setNotification(kind, days);
    }
    void dismissInfoViews();

    // Skins: the pictures and label colours of skin 0, 1 or 2.
    void setNewSkin(int skin) override;
    int getNewSkin() const override { return skin_; }

    // First-use hints: every page's hint shows again.
    void setDefaults();
    void switchFirtsUseLbls(int direction) override { hint_->swap(direction); }
    void makeAnimWithSwitchingLbls();
    void activateFirstAnimTmr() override { hint_->swapBackLater(); }

    // The cloud drifts again from its home.
    void resetAnim() override { cloud_->restartDrift(); }

    // The help overlay of the main screen.
    void mainInfoClicked() { help_->show(); }
    void firstRunChoseSkin(int skin) override { setNewSkin(skin); }
    void firstRunFinished() override { mainInfoClicked(); }

    // Holding a petal only swaps its picture on platforms that cannot move it.
    void setOldOS(bool old) { flower_->setHoldMoves(!old); }

    // State, for the screens that call in and for tests.
    bool isUp() const { return isUp_; }
    bool isInfo() const { return help_->isShowing(); }
    bool lock() const { return lock_; }
    int openedPetal() const { return flower_->openedPetal(); }
    bool centerCalendarUp() const { return calendars_->centerCalendarUp(); }
    void setCenterCalendarUp(bool up) { calendars_->setCenterCalendarUp(up); }

    // The first-run setup laid over the screen at load; empty when the
    // diary was already set up.
    FirstGlobalController* firstGlobalController() const { return firstGlobalController_.get(); }

    // The parts of the screen.
    View& flowerView() const { return *flower_; }
    CustomPetalView& petalView(MainPageKind kind) const { return flower_->petal(kind); }
    Button& petalButton(MainPageKind kind) const { return flower_->petalButton(kind); }
    Button& centerButton() const { return flower_->centerButton(); }
    ImageView& centerImgView() const { return flower_->center().disc(); }
    ImageView& centerShadowView() const { return flower_->center().shadow(); }
    ImageView& backgroundView() const { return *backgroundView_; }
    StatusCloud& cloudView() const { return *cloud_; }
    Label& infoLbl() const { return cloud_->statusLabel(); }
    Label& remainingDaysLbl() const { return flower_->center().number(); }
    Label& titleLbl() const { return flower_->center().caption(); }
    View& infoView() const { return *panel_; }
    ImageView& dockView() const { return panel_->dock(); }
    Button& goBack() const { return panel_->backButton(); }
    Label& menuLbl() const { return panel_->title(); }
    ScrollView& mainScrollView() const { return panel_->strip(); }
    Button& goToCalBtn() const { return panel_->calendarButton(); }
    Label& goToCalLbl() const { return panel_->calendarLabel(); }
    Label& firstUseLbl() const { return hint_->label(); }
    View& bigTranspView() const { return *veil_; }
    ActivityIndicator& indicatorView() const { return veil_->indicator(); }
    View& mainInfoView() const { return *help_; }
    // Where the period-entry calendars and the sync account form slide in
    // from below.
    View& summaryCalendarView() const { return calendars_->summaryCalendarView(); }
    View& centerCalendarView() const { return calendars_->centerCalendarView(); }
    View& accountFormView() const { return *accountFormView_; }

protected:
    void loadView() override;

private:
    // What the period calendars ask of the screen.
    void centerCalendarRaised() override;
    void centerCalendarLowered() override;
    void pastPeriodEditEnded() override;

    void buildPanel();
    // Whether the page's view is on the strip; puts it there.
    bool isPlaced(MainPageKind kind) const;
    void placePage(MainPageKind kind);
    void placePageOnShow();
    void buildOverlays();
    void applyFirstRun();
    void preparePage(const PetalRow& row);
    void refreshPage(const PetalRow& row);
    void showFirstUseHint(const PetalRow& row);
    void fadeInInfo();
    void showUnreadableStatus();
    void showToday(const TodayDisplay& display);
    void panelTouchBegan(Point touch);
    void panelTouchMoved(Point touch);
    void panelTouchEnded(Point touch);
    std::weak_ptr<MainViewController> weakSelf();

    std::array<std::shared_ptr<MainPage>, 6> pages_;

    std::shared_ptr<TouchForwardingView> mainView_;
    std::shared_ptr<ImageView> backgroundView_;
    std::shared_ptr<Flower> flower_;
    std::shared_ptr<StatusCloud> cloud_;
    std::shared_ptr<InfoPanel> panel_;
    std::unique_ptr<FirstUseHint> hint_;
    std::shared_ptr<BusyVeil> veil_;
    std::shared_ptr<MainHelpOverlay> help_;
    std::unique_ptr<PeriodCalendars> calendars_;
    std::shared_ptr<View> accountFormView_;
    std::shared_ptr<SyncController> syncForm_;
    std::shared_ptr<FirstGlobalController> firstGlobalController_;

    std::shared_ptr<Analytics> analytics_;
    PanelDrag drag_;
    bool isUp_ = false;
    bool lock_ = false;
    NotificationCenter::Observation diaryChanges_;
    int skin_ = 0;
    Timer newDownTmr_;
    std::shared_ptr<UserDefaults> usrDefault_;
};

} // namespace florelle
