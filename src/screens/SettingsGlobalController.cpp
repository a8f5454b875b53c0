#include "SettingsGlobalController.h"

#include "MainViewController.h"
#include "UserGuideController.h"
#include "ui/NavigationController.h"

namespace florelle {

SettingsGlobalController::SettingsGlobalController(
    LocalNotificationCenter& notifications, std::weak_ptr<MainViewController> mainViewController)
    : scheduler_(notifications), mainViewController_(std::move(mainViewController)),
      userGuideController_(std::make_shared<UserGuideController>()) {}

SettingsGlobalController::~SettingsGlobalController() = default;

void SettingsGlobalController::viewDidLoad() {
    // The settings list becomes the first screen; until it is built the
    // stack starts on an empty one.
    navController_ = std::make_shared<NavigationController>(std::make_shared<ViewController>());
    navController_->setNavigationBarHidden(true, false);
    // The stack fills what the raised panel shows, so a screen's first and
    // last lines can be read.
    navController_->view()->setFrame(
        Rect(0, 0, ViewController::screenWidth, MainPage::visibleHeight));
    view()->addSubview(navController_->view());
}

void SettingsGlobalController::setNotification(int kind, int days) {
    scheduler_.setNotification(kind, days);
}

void SettingsGlobalController::pushUserGuide() {
    pushScreen(userGuideController_);
}

void SettingsGlobalController::pushScreen(std::shared_ptr<ViewController> screen) {
    view();
    navController_->pushViewController(std::move(screen), true);
    if (auto main = mainViewController_.lock()) {
        main->backBtnHidden(false);
        main->setLock(true);
    }
}

void SettingsGlobalController::popController() {
    view();
    navController_->popViewController(true);
    bool atFirst = navController_->viewControllers().size() == 1;
    if (auto main = mainViewController_.lock()) {
        main->setLock(!atFirst);
        main->backBtnHidden(atFirst);
    }
}

} // namespace florelle
