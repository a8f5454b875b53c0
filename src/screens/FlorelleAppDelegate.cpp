// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlorelleAppDelegate.h"

#include "AppRating.h"
#include "CalendarGlobalController.h"
#include "ChartsController.h"
#include "DiaryActions.h"
#include "ForumController.h"
#include "LogAnalytics.h"
#include "MainViewController.h"
#include "NotesGlobalController.h"
#include "PasscodeLock.h"
#include "SettingsGlobalController.h"
#include "SummaryGlobalController.h"
#include "platform/DeploymentSettings.h"
#include "reminders/DiaryZoneFollower.h"
#include "reminders/ReminderScheduler.h"
#include "storage/SQLiteAccess.h"
#include "storage/VersionUpdater.h"
#include "ui/Window.h"

namespace florelle {

FlorelleAppDelegate::FlorelleAppDelegate(std::shared_ptr<NotificationPresenter> presenter,
                                         std::shared_ptr<Analytics> analytics)
    : hasPresenter_(presenter != nullptr),
      notifications_(LocalNotificationStore::standard(), std::move(presenter)),
      analytics_(analytics ? std::move(analytics) : std::make_shared<LogAnalytics>()) {
    notifications_.prepareForShowing = ReminderScheduler::inCurrentLanguage;
}

// A counting still running writes the user defaults of this diary; it ends
// with the delegate rather than behind the next one's back.
FlorelleAppDelegate::~FlorelleAppDelegate() {
    AppRating::waitForBookkeeping();
}

bool FlorelleAppDelegate::didFinishLaunching(Application&, const LaunchOptions& options) {
    analytics_->logEvent("start-up");
    // Reminders that fell due while nothing ran are shown before any
    // rescheduling replaces them.
    if (hasPresenter_) {
        notifications_.startDelivering();
    }
    if (options.localNotification && ReminderScheduler::isReminder(*options.localNotification)) {
        resetNotifications();
    }
    // Observed before any page is built, so that the diary's days are in the
    // new zone before a page reads them again.
    timeChange_ = NotificationCenter::defaultCenter().addObserver(
        NotificationCenter::significantTimeChangeNotification, [this](const Notification&) {
            if (DiaryZoneFollower::followMachineZone(notifications_) == true) {
                NotificationCenter::defaultCenter().post(DiaryActions::diaryChangedNotification);
            }
        });
    window_ = std::make_shared<Window>(Rect(0, 0, 320, 480));
    lock_ = PasscodeLock::create();
    // A diary that cannot be read or written is neither migrated nor
    // written: the main screen comes up with what can be read, and the alert
    // over it says which file is in trouble and why.
    StoreStatus usable = SQLiteAccess::checkDiary();
    auto finished = [this] {
        // A diary that keeps its days for a failure says so in its alert.
        static_cast<void>(DiaryZoneFollower::followMachineZone(notifications_));
        updateFinshed();
    };
    if (!usable || !VersionUpdater(finished).updateToCurrentVersion()) {
        updateFinshed();
    }
    window_->makeKeyAndVisible();
    if (!usable) {
        diaryProblem_.show(usable.error());
    }
    return true;
}

void FlorelleAppDelegate::updateFinshed() {
    main_ = std::make_shared<MainViewController>();
    main_->setAnalytics(analytics_);
    main_->setPage(MainPageKind::charts, std::make_shared<ChartsController>(main_));
    main_->setPage(MainPageKind::forum,
                   std::make_shared<ForumController>(DeploymentSettings::forumAddress()));
    main_->setPage(MainPageKind::calendar, std::make_shared<CalendarGlobalController>(main_));
    main_->setPage(MainPageKind::notes, std::make_shared<NotesGlobalController>(main_));
    main_->setPage(MainPageKind::summary, std::make_shared<SummaryGlobalController>(main_));
    main_->setPage(MainPageKind::settings,
                   std::make_shared<SettingsGlobalController>(notifications_, main_));
    auto& view = main_->view();
    view->setFrame(
        Rect(0, statusBarHeight, ViewController::screenWidth, ViewController::screenHeight));
    window_->addSubview(view);
}

void FlorelleAppDelegate::didBecomeActive(Application&) {
    analytics_->logEvent("activation");
    if (main_) {
        main_->reloadForToday();
    }
    AppRating::appLaunched();
    resetNotifications();
    if (window_) {
        lock_->lockIfSet(*window_);
    }
    // The cloud starts its drift again from home.
    if (main_) {
        main_->resetAnim();
        // What other programs change from now on shows while the window does.
        diaryWatch_.start();
    }
}

void FlorelleAppDelegate::didReceiveLocalNotification(Application&,
                                                      const LocalNotification& notification) {
    if (!ReminderScheduler::isReminder(notification)) {
        return;
    }
    resetNotifications();
    // The open page goes down unless it holds something half entered.
    statusBarTouch();
}

void FlorelleAppDelegate::didEnterBackground(Application&) {
    diaryWatch_.stop();
}

void FlorelleAppDelegate::resetNotifications() {
    // A diary that cannot be read keeps the pending reminders.
    static_cast<void>(ReminderScheduler(notifications_).resetNotifications());
}

bool FlorelleAppDelegate::keyPressed(Application&, Key key) {
    return main_ && !lock_->isLocked() && main_->keyPressed(key);
}

void FlorelleAppDelegate::statusBarTouch() {
    if (main_ && !lock_->isLocked()) {
        main_->statusBarTouch();
    }
}

} // namespace florelle
