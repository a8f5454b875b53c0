#pragma once

#include "CenterCalendarDelegate.h"
#include "DiaryActions.h"
#include "FirstRunDelegate.h"
#include "MainPage.h"
#include "MainPageHost.h"
#include "PanelDrag.h"
#include "PetalTable.h"
#include "SummaryCalendarDelegate.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "ui/AnimationDelegate.h"
#include "ui/ViewController.h"

#include <array>
#include <memory>
#include <string>

namespace florelle {

class ActivityIndicator;
class Analytics;
class BusyVeil;
class FirstUseHint;
class FlowerCenter;
class MainHelpOverlay;
class StatusCloud;
class CenterCalendarController;
class FirstGlobalController;
class SummaryCalendarController;
class Button;
class CustomPetalView;
class ImageView;
class Label;
class ScrollView;
class TouchForwardingView;
class UserDefaults;

// The application's root screen: a flower of six petals on the skin's
// background, a cloud drifting across the top with today's status, the
// countdown in the flower's centre, and at the bottom the dock of the info
// panel. A petal opens its page: the petal grows over the screen while the
// panel rises with the page scrolled into view on its strip. The panel is
// dragged by its top bar and snaps up or down.
//
// Other screens reach one another only through the operations here. The
// controller lives as long as the process and owns the six pages.
class MainViewController : public ViewController,
                           public AnimationDelegate,
                           public CenterCalendarDelegate,
                           public SummaryCalendarDelegate,
                           public FirstRunDelegate,
                           public MainPageHost {
public:
    // Panel centre y when lowered and raised.
    static constexpr double panelDownY = PanelDrag::downCenterY;
    static constexpr double panelUpY = PanelDrag::upCenterY;
    static constexpr double pageWidth = 320;
    static constexpr double panelDuration = 0.4;
    static constexpr double openDuration = 0.6;
    static constexpr double fadeInDuration = 0.7;

    MainViewController();
    ~MainViewController() override;

    // A page of the strip; the default pages are empty. Replacing a page
    // puts the new one's view where the old one was.
    MainPage& page(MainPageKind kind) const;
    void setPage(MainPageKind kind, std::shared_ptr<MainPage> page);

    // Building the screen.
    void viewDidLoad() override;

    // Petal actions: a finger went down on the petal, left it, or was
    // lifted on it.
    void petalHold(MainPageKind kind);
    void petalLetGo(MainPageKind kind);
    void petalOpen(MainPageKind kind);
    void centerHold();
    void centerLetGo();

    // The start/end date picker. The centre button opens it on today for a
    // start, or on the open period's start day for its end.
    void centerPressed();
    void callCenterCalendarWithOpt(bool startMode, Date selectedDate, bool disableDelete);
    void bringCenterCalendarUp();
    // Lowers the picker; with `save`, first stores `date` as the start or the
    // end. A day the entry rules refuse saves nothing and leaves it up.
    void bringCenterCalendarDown(Date date, bool save) override;
    // The picker's grid is `height` high: it sits higher the more rows.
    void changeCalSize(int height) override;
    CenterCalendarController& centerCalendar() const { return *centerCalendar_; }
    double calHeig() const { return calHeig_; }
    // Whether the centre button starts a period (none is open), as the diary holds it.
    bool isStartDate() const { return DiaryActions::nextPeriodEntry() == PeriodEntry::Mode::start; }

    // The past period calendar, opened from the period log with the values
    // to show (an end of the epoch: none), the mode (0 start and end, 1 start
    // only, 2 end only) and whether the period is new.
    void bringSummaryCalendarUp(Date startDate, Date endDate, int mode, bool withDelete,
                                bool isNew) override;
    // Stores the entry and lowers the calendar. An entry that would overlap
    // another period, share its start or end before it starts saves nothing:
    // an alert says why and the calendar stays up.
    void sendSummaryCalendarDown(Date startDate, Date endDate, bool isNew, Date oldDate,
                                 int mode) override;
    void summaryCalendarCancelClicked() override;
    SummaryCalendarController& summaryCalendar() const { return *summaryCalendar_; }
    // The start of the period deleteDate removes.
    void setCalSelectedDate(Date date) override { calSelectedDate_ = date; }
    Date calSelectedDate() const { return calSelectedDate_; }
    // Deletes the period that starts at calSelectedDate; deleting the latest
    // one makes the next entry a start.
    void deleteDate() override;

    // The panel.
    void bringInfoUp();
    void bringInfoDown();
    // Lowers the panel if it is up.
    void newDown();
    void statusBarTouch();
    void enableButtons(bool enabled);
    void backBtnHidden(bool hidden) override;
    void goBackClicked();
    void setLock(bool lock) override { lock_ = lock; }

    // Modal screens.
    void presentModalController(std::shared_ptr<ViewController> controller);
    void dismissModalController();

    // The veil over the whole screen, with or without the busy indicator.
    void changeTranspView(double alpha, bool withIndicator);

    // Moving between pages.
    void scrollToNotesWithDate(Date date);
    void goToCalClicked();

    // Today's status in the cloud and the flower's centre.
    void calculateInfoLbl();
    void setCenter();
    void usePregnancyMode(bool on) override;
    void reloadForToday();
    void reloadInfoForDate(Date date);

    // Hears every petal opened.
    void setAnalytics(std::shared_ptr<Analytics> analytics) { analytics_ = std::move(analytics); }

    // Forwarding to the pages.
    void setSi(int units) override;
    void changeSummary();
    void refreshGlobalCalendar();
    void reloadCalendarDataForDate(Date date) override;
    void setNotification(int kind, int days);
    void dismissInfoViews();
    // Both reminders planned anew from the latest period and the settings.
    void replanReminders();

    // Skins: the pictures and label colours of skin 0, 1 or 2.
    void setNewSkin(int skin) override;
    int getNewSkin() const override { return skin_; }

    // First-use hints: every page's hint shows again.
    void setDefaults();
    void switchFirtsUseLbls(int direction) override;
    void makeAnimWithSwitchingLbls();
    void activateFirstAnimTmr() override;

    // The cloud drifts again from its home.
    void resetAnim() override;

    // The help overlay of the main screen.
    void mainInfoClicked();
    void firstRunChoseSkin(int skin) override;
    void firstRunFinished() override;

    void animationDidStop(const Animation& animation, bool finished) override;

    // Holding a petal only swaps its picture on platforms that cannot move it.
    void setOldOS(bool old) { oldOS_ = old; }

    // State, for the screens that call in and for tests.
    bool isUp() const { return isUp_; }
    bool isInfo() const;
    bool lock() const { return lock_; }
    int openedPetal() const { return petal_; }
    bool centerCalendarUp() const { return centerCalendarUp_; }
    void setCenterCalendarUp(bool up) { centerCalendarUp_ = up; }

    // The first-run setup laid over the screen at load; empty when the
    // diary was already set up.
    FirstGlobalController* firstGlobalController() const { return firstGlobalController_.get(); }

    // The parts of the screen.
    View& flowerView() const { return *flowerView_; }
    CustomPetalView& petalView(MainPageKind kind) const;
    Button& petalButton(MainPageKind kind) const;
    Button& centerButton() const { return *centerButton_; }
    ImageView& centerImgView() const;
    ImageView& centerShadowView() const;
    ImageView& backgroundView() const { return *backgroundView_; }
    StatusCloud& cloudView() const { return *cloud_; }
    Label& infoLbl() const;
    Label& remainingDaysLbl() const;
    Label& titleLbl() const;
    View& infoView() const { return *infoView_; }
    ImageView& dockView() const { return *dockView_; }
    Button& goBack() const { return *goBack_; }
    Label& menuLbl() const { return *menuLbl_; }
    ScrollView& mainScrollView() const { return *mainScrollView_; }
    Button& goToCalBtn() const { return *goToCalBtn_; }
    Label& goToCalLbl() const { return *goToCalLbl_; }
    Label& firstUseLbl() const;
    View& bigTranspView() const;
    ActivityIndicator& indicatorView() const;
    View& mainInfoView() const;
    // Where the period-entry calendars and the sync account form slide in
    // from below.
    View& summaryCalendarView() const { return *summaryCalendarView_; }
    View& centerCalendarView() const { return *centerCalendarView_; }
    View& accountFormView() const { return *accountFormView_; }

protected:
    void loadView() override;

private:
    void buildPetals();
    void buildCenter();
    void buildPanel();
    void buildOverlays();
    void applyFirstRun();
    void bindPetalButton(Button& button, MainPageKind kind);
    void preparePage(const PetalRow& row);
    void refreshPage(const PetalRow& row);
    void showFirstUseHint(const PetalRow& row);
    void animatePetal(MainPageKind kind, Point center, const char* key);
    void fadeInInfo();
    void showUnreadableStatus();
    void panelTouchBegan(Point touch);
    void panelTouchMoved(Point touch);
    void panelTouchEnded(Point touch);
    void showPage(double x);
    std::weak_ptr<MainViewController> weakSelf();
    void lowerSummaryCalendar();

    std::array<std::shared_ptr<MainPage>, 6> pages_;

    std::shared_ptr<TouchForwardingView> mainView_;
    std::shared_ptr<ImageView> backgroundView_;
    std::shared_ptr<View> flowerView_;
    std::array<std::shared_ptr<CustomPetalView>, 6> petals_;
    std::array<std::shared_ptr<Button>, 6> petalButtons_;
    std::unique_ptr<FlowerCenter> center_;
    std::shared_ptr<Button> centerButton_;
    std::shared_ptr<StatusCloud> cloud_;
    std::shared_ptr<View> infoView_;
    std::shared_ptr<ImageView> dockView_;
    std::shared_ptr<Button> goBack_;
    std::shared_ptr<Label> menuLbl_;
    std::shared_ptr<ScrollView> mainScrollView_;
    std::shared_ptr<Button> goToCalBtn_;
    std::shared_ptr<Label> goToCalLbl_;
    std::unique_ptr<FirstUseHint> hint_;
    std::shared_ptr<BusyVeil> veil_;
    std::shared_ptr<MainHelpOverlay> help_;
    std::shared_ptr<View> summaryCalendarView_;
    std::shared_ptr<View> centerCalendarView_;
    std::shared_ptr<CenterCalendarController> centerCalendar_;
    std::shared_ptr<SummaryCalendarController> summaryCalendar_;
    std::shared_ptr<View> accountFormView_;
    std::shared_ptr<FirstGlobalController> firstGlobalController_;

    std::shared_ptr<Animation> openAnimation_;
    std::shared_ptr<Analytics> analytics_;
    PanelDrag drag_;
    int petal_ = 0;
    Point patelCoordValue_;
    std::string tmpPetalImgName_;
    bool loadImg_ = false;
    bool isUp_ = false;
    bool lock_ = false;
    bool oldOS_ = false;
    bool centerCalendarUp_ = false;
    // The kind of day the centre calendar was opened to pick.
    bool pickingStart_ = true;
    NotificationCenter::Observation diaryChanges_;
    Date calSelectedDate_;
    double calHeig_ = 700;
    int skin_ = 0;
    Timer newDownTmr_;
    std::shared_ptr<UserDefaults> usrDefault_;
};

} // namespace florelle
