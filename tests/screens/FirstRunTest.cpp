// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Strings.h"
#include "screens/FirstGlobalController.h"
#include "screens/FirstPickerController.h"
#include "screens/FirstSkinController.h"
#include "screens/WelcomeController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/PickerView.h"
#include "ui/TableView.h"

#include <cstdlib>
#include <filesystem>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// A diary never set up, with one period logged from 20 February; today is
// 1 March 2026.
class FirstRunTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        ASSERT_TRUE(DC::saveFirstTimeOn(1));
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 20), localDate(2026, 2, 24)));
    }
    void start() { launch(localDate(2026, 3, 1, 12)); }
    // Quits and starts again on the same diary.
    void restart() {
        host_.reset();
        delegate_.reset();
        start();
    }
    FirstGlobalController& setup() const { return *main().firstGlobalController(); }
    FirstPickerController& picker() const { return setup().firstPickerController(); }
    ViewController* top() const { return setup().navController().topViewController(); }
    void tapNext() {
        Button& next = setup().nextBtn();
        host().tap(next.convertPointToWindow({next.bounds().midX(), next.bounds().midY()}));
        host().advance(1);
    }
    void screenshot(const char* name) {
        if (const char* folder = std::getenv("FLORELLE_SCREENSHOT_DIR")) {
            EXPECT_TRUE(host().screenshot(std::filesystem::path(folder) / name));
        }
    }
};

TEST_F(FirstRunTest, AWalkThroughStoresEachAnswerAndEndsOnTheMainScreen) {
    start();
    ASSERT_NE(main().firstGlobalController(), nullptr);
    EXPECT_EQ(setup().view()->superview(), main().view().get());
    EXPECT_EQ(top(), &setup().welcomeController());
    EXPECT_EQ(setup().titleLbl().text(), Strings::localized("Welcome Key"));
    screenshot("first-run-welcome.png");

    // A second tap while the page still slides in is not a second step.
    Button& next = setup().nextBtn();
    Point nextPoint = next.convertPointToWindow({next.bounds().midX(), next.bounds().midY()});
    host().tap(nextPoint);
    host().tap(nextPoint);
    host().advance(1);
    ASSERT_EQ(top(), &picker());
    EXPECT_EQ(setup().counter(), 1);
    EXPECT_EQ(setup().titleLbl().text(), Strings::localized("Cycle length Key"));
    EXPECT_EQ(picker().selectedValue(), 28) << "opens on the stored value";
    screenshot("first-run-cycle.png");

    struct Step {
        int mode;
        int picked;
        StoreResult<int> (*stored)();
        const char* nextTitle;
    };
    const Step steps[] = {
        {FirstPickerController::cycleLengthMode, 30, DC::getCycleLength, "Period length Key"},
        {FirstPickerController::periodLengthMode, 4, DC::getPeriodLength, "Ovulation day Key"},
        {FirstPickerController::ovulationDayMode, 12, DC::getOvulationDay, "Skin Key"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.nextTitle);
        ASSERT_EQ(picker().pickerMode(), step.mode);
        // No row says 0 days: the lowest is 1.
        picker().selectValue(0);
        EXPECT_EQ(picker().selectedValue(), 1);
        picker().selectValue(step.picked);
        tapNext();
        EXPECT_EQ(step.stored(), step.picked);
        EXPECT_EQ(setup().titleLbl().text(), Strings::localized(step.nextTitle));
        if (step.mode == FirstPickerController::cycleLengthMode) {
            // The status follows at once: the next start is now 22 March.
            EXPECT_EQ(main().remainingDaysLbl().text().find("21"), 0u);
        }
        if (step.mode == FirstPickerController::periodLengthMode) {
            screenshot("first-run-ovulation.png");
        }
    }
    ASSERT_EQ(top(), &setup().firstSkinController());
    EXPECT_EQ(setup().nextBtn().currentTitle(), Strings::localized("Finish Key"));
    EXPECT_EQ(setup().firstSkinController().checkedRow(), 0);

    TableView& table = *setup().firstSkinController().tableView();
    Rect row = table.rectForRow({0, 2});
    host().tap(table.convertPointToWindow({row.midX(), row.midY()}));
    host().advance(0.6);
    EXPECT_EQ(DC::getSkin(), 2);
    EXPECT_EQ(main().getNewSkin(), 2);
    EXPECT_EQ(setup().firstSkinController().checkedRow(), 2);
    screenshot("first-run-skin-preview.png");
    host().advance(3);
    screenshot("first-run-skin.png");
    table.selectRow({0, 1}, false);
    setup().firstSkinController().choose(1);
    host().advance(3);
    screenshot("first-run-skin-1.png");

    tapNext();
    EXPECT_EQ(DC::isFirstTimeOn(), 0);
    host().advance(1);
    EXPECT_EQ(setup().view()->superview(), nullptr);
    EXPECT_TRUE(main().isInfo());
    setup().nextClicked();
    EXPECT_EQ(setup().counter(), FirstGlobalController::lastStep + 1) << "nothing after Finish";
    screenshot("first-run-done.png");

    restart();
    EXPECT_EQ(main().firstGlobalController(), nullptr);
    EXPECT_EQ(DC::getCycleLength(), 30);
    EXPECT_EQ(main().remainingDaysLbl().text().find("21"), 0u);
}

// Left half-way, the setup comes back at the next start, on what was stored.
TEST_F(FirstRunTest, QuittingHalfWayStartsTheSetupAgainOnTheStoredAnswers) {
    ASSERT_TRUE(DC::saveSkin(1));
    start();
    tapNext();
    picker().selectValue(33);
    tapNext();
    picker().selectValue(6);
    restart();

    ASSERT_NE(main().firstGlobalController(), nullptr);
    EXPECT_EQ(top(), &setup().welcomeController());
    EXPECT_EQ(DC::isFirstTimeOn(), 1);
    EXPECT_EQ(DC::getCycleLength(), 33);
    EXPECT_EQ(DC::getPeriodLength(), 5) << "a wheel turned but not confirmed stores nothing";
    tapNext();
    EXPECT_EQ(picker().selectedValue(), 33);
    for (int i = 0; i < 3; ++i) {
        tapNext();
    }
    EXPECT_EQ(DC::getCycleLength(), 33);
    EXPECT_EQ(DC::getSkin(), 1);
    EXPECT_EQ(setup().firstSkinController().checkedRow(), 1) << "the stored skin is checked";
}

// A short cycle pulls an ovulation day stored beyond it back inside.
TEST_F(FirstRunTest, TheOvulationDayStaysWithinTheCycleChosen) {
    start();
    tapNext();
    picker().selectValue(12);
    tapNext();
    tapNext();
    ASSERT_EQ(picker().pickerMode(), FirstPickerController::ovulationDayMode);
    EXPECT_EQ(picker().pickerView().numberOfRowsInComponent(0), 11);
    EXPECT_EQ(picker().selectedValue(), 11) << "stored 14, past the 12-day cycle";
    tapNext();
    EXPECT_EQ(DC::getOvulationDay(), 11);
}

} // namespace
