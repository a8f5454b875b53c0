// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstGlobalController.h"

#include "DiaryActions.h"
#include "FirstPickerController.h"
#include "FirstSkinController.h"
#include "PetalTable.h"
#include "SkinColors.h"
#include "WelcomeController.h"
#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "storage/DatabaseController.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"

namespace florelle {

namespace {

const Rect navFrame(0, 37, 320, 460);
const Rect titleFrame(10, 4, 300, 30);
const Rect nextFrame(190, 405, 110, 37);

} // namespace

FirstGlobalController::FirstGlobalController(std::weak_ptr<FirstRunDelegate> delegate)
    : delegate_(std::move(delegate)) {}

FirstGlobalController::~FirstGlobalController() = default;

void FirstGlobalController::viewDidLoad() {
    auto self = std::static_pointer_cast<FirstGlobalController>(shared_from_this());
    int skin = DatabaseController::getSkin().value_or(0);
    backgroundImgView_ = std::make_shared<ImageView>(view()->bounds());
    view()->addSubview(backgroundImgView_);

    titleLbl_ = std::make_shared<Label>(titleFrame);
    titleLbl_->setFont(Font::boldSystemFont(20));
    titleLbl_->setTextAlignment(TextAlignment::Center);
    titleLbl_->setBackgroundColor(Color::clear());
    view()->addSubview(titleLbl_);

    welcomeController_ = std::make_shared<WelcomeController>();
    firstPickerController_ = std::make_shared<FirstPickerController>(self);
    firstSkinController_ = std::make_shared<FirstSkinController>(self);
    navController_ = std::make_shared<NavigationController>(welcomeController_);
    navController_->setNavigationBarHidden(true, false);
    navController_->view()->setFrame(navFrame);
    navController_->view()->setBackgroundColor(Color::clear());
    view()->addSubview(navController_->view());

    nextBtn_ = std::make_shared<Button>(nextFrame);
    nextBtn_->onTouchUpInside = [this] { nextClicked(); };
    view()->addSubview(nextBtn_);

    setNewSkinPictures(skin);
    counter_ = 0;
    setTitles("Welcome Key", "Next Key");
}

void FirstGlobalController::setTitles(const char* titleKey, const char* captionKey) {
    titleLbl_->setText(Strings::localized(titleKey));
    nextBtn_->setTitle(Strings::localized(captionKey));
}

void FirstGlobalController::nextClicked() {
    view();
    if (counter_ > lastStep || navController_->isTransitioning() ||
        firstPickerController_->isSwitching()) {
        return;
    }
    switch (counter_) {
    case 0:
        pushPickerController();
        setTitles("Cycle length Key", "Next Key");
        break;
    case 1:
        firstPickerController_->nextClicked();
        firstPickerController_->switchToMode(FirstPickerController::periodLengthMode);
        setTitles("Period length Key", "Next Key");
        break;
    case 2:
        firstPickerController_->nextClicked();
        firstPickerController_->switchToMode(FirstPickerController::ovulationDayMode);
        setTitles("Ovulation day Key", "Next Key");
        break;
    case 3:
        firstPickerController_->nextClicked();
        pushSkinController();
        setTitles("Skin Key", "Finish Key");
        break;
    default:
        removeFromView();
        break;
    }
    ++counter_;
}

void FirstGlobalController::pushPickerController() {
    firstPickerController_->setPickerMode(FirstPickerController::cycleLengthMode);
    navController_->pushViewController(firstPickerController_, true);
}

void FirstGlobalController::pushSkinController() {
    navController_->pushViewController(firstSkinController_, true);
}

void FirstGlobalController::saveCycleLength(int days) {
    if (DatabaseController::saveCycleLength(days)) {
        recalculate();
    }
}

void FirstGlobalController::savePeriodLength(int days) {
    if (DatabaseController::savePeriodLength(days)) {
        recalculate();
    }
}

void FirstGlobalController::saveOvulationDay(int day) {
    // The fertile days hang on it, so the status is redone as for a length.
    if (DatabaseController::saveOvulationDay(day)) {
        recalculate();
    }
}

void FirstGlobalController::recalculate() {
    DiaryActions::changed();
}

void FirstGlobalController::setNewSkin(int skin) {
    setNewSkinPictures(skin);
    if (auto delegate = delegate_.lock()) {
        delegate->firstRunChoseSkin(skin);
    }
    firstSkinController_->reloadTable();
}

void FirstGlobalController::setNewSkinPictures(int skin) {
    backgroundImgView_->setImage(Image::named(PetalTable::picture("bg_%d.jpg", skin)));
    nextBtn_->setBackgroundImage(Image::named(PetalTable::picture("button_%d.png", skin)));
    Color labels = SkinColors::forSkin(skin).centerLabel;
    titleLbl_->setTextColor(labels);
    // The first skin's button is dark; the others' are pale and need the
    // skin's dark label colour to be read.
    nextBtn_->setTitleColor(skin == 0 ? Color::white() : labels);
}

void FirstGlobalController::removeFromView() {
    View::animate(fadeOutDuration, [this] { view()->setAlpha(0); });
    // Not saved (the diary's alert says so), the setup comes back at the
    // next start with the answers that were stored.
    static_cast<void>(DatabaseController::saveFirstTimeOn(0));
    std::weak_ptr<FirstGlobalController> self =
        std::static_pointer_cast<FirstGlobalController>(shared_from_this());
    endTmr_ = Timer(fadeOutDuration, false, [self] {
        auto controller = self.lock();
        if (!controller) {
            return;
        }
        controller->view()->removeFromSuperview();
        if (auto delegate = controller->delegate_.lock()) {
            delegate->firstRunFinished();
        }
    });
}

} // namespace florelle
