// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FirstRunDelegate.h"
#include "FirstSetupDelegate.h"
#include "foundation/Timer.h"
#include "ui/ViewController.h"

#include <memory>

namespace florelle {

class Button;
class FirstPickerController;
class FirstSkinController;
class ImageView;
class Label;
class NavigationController;
class WelcomeController;

// The first-run setup, laid over the main screen while the diary has never
// been set up: a greeting, then the cycle length, the period length and the
// ovulation day, then the skin, one page per tap on Next. Every answer is
// stored as the user moves on and the main screen follows it at once (its
// status, summary and reminders). Finish fades the setup away, marks the
// diary as set up and opens the main screen's help overlay. Left before
// Finish, the setup comes back at the next start, on the answers stored.
class FirstGlobalController : public ViewController, public FirstSetupDelegate {
public:
    static constexpr double fadeOutDuration = 1.5;
    static constexpr int lastStep = 4;

    explicit FirstGlobalController(std::weak_ptr<FirstRunDelegate> delegate);
    ~FirstGlobalController() override;

    void viewDidLoad() override;

    // The Next (last: Finish) button: does the step of `counter` and counts
    // it. Taps while a page slides or the wheel fades, or after Finish, do
    // nothing.
    void nextClicked();
    void pushPickerController();
    void pushSkinController();

    // Each stores the value and brings the main screen up to date.
    void saveCycleLength(int days) override;
    void savePeriodLength(int days) override;
    void saveOvulationDay(int day) override;
    // Applies the skin to the setup's background and to the main screen,
    // which stores it.
    void setNewSkin(int skin) override;
    // Fades out, marks the diary set up, then leaves the main screen with
    // its help overlay.
    void removeFromView();

    int counter() const { return counter_; }
    ImageView& backgroundImgView() const { return *backgroundImgView_; }
    Label& titleLbl() const { return *titleLbl_; }
    Button& nextBtn() const { return *nextBtn_; }
    NavigationController& navController() const { return *navController_; }
    WelcomeController& welcomeController() const { return *welcomeController_; }
    FirstPickerController& firstPickerController() const { return *firstPickerController_; }
    FirstSkinController& firstSkinController() const { return *firstSkinController_; }

private:
    // The lengths changed: the status, the summary and the reminders anew.
    void recalculate();
    void setNewSkinPictures(int skin);
    void setTitles(const char* titleKey, const char* captionKey);

    std::weak_ptr<FirstRunDelegate> delegate_;
    std::shared_ptr<NavigationController> navController_;
    std::shared_ptr<WelcomeController> welcomeController_;
    std::shared_ptr<FirstPickerController> firstPickerController_;
    std::shared_ptr<FirstSkinController> firstSkinController_;
    std::shared_ptr<ImageView> backgroundImgView_;
    std::shared_ptr<Button> nextBtn_;
    std::shared_ptr<Label> titleLbl_;
    Timer endTmr_;
    int counter_ = 0;
};

} // namespace florelle
