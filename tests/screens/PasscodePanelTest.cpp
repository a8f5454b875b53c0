// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeTest.h"
#include "screens/PasscodePage.h"
#include "screens/PasscodeViewController.h"
#include "ui/Keyboard.h"
#include "ui/Label.h"
#include "ui/TextField.h"

#include <string>
#include <vector>

namespace florelle::testing {
namespace {

class Recorder : public PasscodeViewControllerDelegate {
public:
    bool shouldChangePasscode(PasscodeViewController&, int panelView, long long passCode,
                              int lastNumber) override {
        asked.push_back({panelView, passCode, lastNumber});
        return acceptKeystrokes;
    }
    bool didEndPasscodeEditing(PasscodeViewController&, int, long long passCode) override {
        ended.push_back(passCode);
        return keepFourth;
    }
    void didShowPasscodePanel(PasscodeViewController&, int panelView) override {
        shown.push_back(panelView);
    }

    struct Ask {
        int panel;
        long long code;
        int digit;
        bool operator==(const Ask&) const = default;
    };
    std::vector<Ask> asked;
    std::vector<long long> ended;
    std::vector<int> shown;
    bool acceptKeystrokes = true;
    bool keepFourth = true;
};

class PasscodePanelTest : public PasscodeTest {
protected:
    void SetUp() override {
        PasscodeTest::SetUp();
        launch();
        panel_ = std::make_shared<PasscodeViewController>(recorder_);
        host_->keyWindow()->addSubview(panel_->view());
        panel_->viewWillAppear(false);
        panel_->myTextField()->becomeFirstResponder();
        host_->advance(1);
    }

    // Types one line of a script: digits and letters as typed, "<" deletes.
    void play(const std::string& script) {
        for (char key : script) {
            if (key == '<') {
                host_->input().deleteBackward();
            } else {
                host_->type(std::string(1, key));
            }
        }
    }

    std::shared_ptr<Recorder> recorder_ = std::make_shared<Recorder>();
    std::shared_ptr<PasscodeViewController> panel_;
};

TEST_F(PasscodePanelTest, IsBuiltAsThreePagesOnAStripWithAHiddenField) {
    auto& view = panel_->view();
    EXPECT_EQ(view->frame(), Rect(0, 20, 320, 480));
    EXPECT_EQ(panel_->containerView()->frame(), Rect(0, 0, 960, 240));
    for (int page : {0, -320, -640}) {
        auto shown = panel_->page(page);
        ASSERT_TRUE(shown) << page;
        EXPECT_EQ(shown->frame(), Rect(-page, 0, 320, 240));
        EXPECT_EQ(shown->viewWithTag(10).get(), static_cast<View*>(shown->titleLabel().get()));
        EXPECT_EQ(shown->viewWithTag(11).get(), static_cast<View*>(shown->summaryLabel().get()));
        for (int number = 1; number <= 4; ++number) {
            auto box = shown->viewWithTag(page + number);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->frame(), Rect(25 + 70 * (number - 1), 117, 60, 60));
            EXPECT_FALSE(box->isUserInteractionEnabled());
        }
    }
    auto field = panel_->myTextField();
    EXPECT_EQ(view->viewWithTag(12).get(), static_cast<View*>(field.get()));
    EXPECT_TRUE(field->isHidden());
    EXPECT_TRUE(field->isFirstResponder());
    auto keyboard = Keyboard::of(*host_->keyWindow());
    ASSERT_TRUE(keyboard);
    EXPECT_TRUE(keyboard->isUp());
    EXPECT_EQ(keyboard->type(), KeyboardType::numberPad);
    EXPECT_EQ(recorder_->shown, std::vector<int>{0});
}

// The keystroke rule, one typed script per row: what the hidden field and
// the four boxes hold afterwards.
struct KeystrokeCase {
    const char* script;
    const char* field;
    std::vector<std::string> boxes;
};

TEST_F(PasscodePanelTest, KeystrokesFollowTheRule) {
    const KeystrokeCase cases[] = {
        {"1", "1", {"1", "", "", ""}},
        {"12", "12", {"1", "2", "", ""}},
        {"1234", "1234", {"1", "2", "3", "4"}},
        {"12345", "1234", {"1", "2", "3", "4"}}, // the fifth is refused
        {"123<", "12", {"1", "2", "", ""}},      // deleting empties its own box
        {"1234<", "123", {"1", "2", "3", ""}},
        {"12<<", "", {"", "", "", ""}},
        {"1a2", "12", {"1", "2", "", ""}}, // only digits
        {"x.- ", "", {"", "", "", ""}},
        {"0000", "0000", {"0", "0", "0", "0"}},
    };
    for (const auto& row : cases) {
        panel_->clearPanel();
        play(row.script);
        EXPECT_EQ(panel_->myTextField()->text(), row.field) << row.script;
        EXPECT_EQ(boxes(*panel_, 0), row.boxes) << row.script;
    }
}

TEST_F(PasscodePanelTest, PastedDigitsComeOneBoxEach) {
    host_->type("3456789");
    EXPECT_EQ(panel_->myTextField()->text(), "3456");
    EXPECT_EQ(boxes(*panel_, 0), (std::vector<std::string>{"3", "4", "5", "6"}));
}

TEST_F(PasscodePanelTest, TheDelegateHearsEveryKeystrokeAndTheFourthDigit) {
    tapKeys("07<9");
    EXPECT_EQ(recorder_->asked,
              (std::vector<Recorder::Ask>{{0, 0, 0}, {0, 7, 7}, {0, 0, 0}, {0, 9, 9}}));
    tapKeys("12");
    EXPECT_EQ(recorder_->ended, std::vector<long long>{912});
    EXPECT_EQ(panel_->myTextField()->text(), "0912");
    // Each box shows a dot for its digit.
    EXPECT_EQ(panel_->page(0)->box(1)->displayedText(), TextField::secureDot);
}

TEST_F(PasscodePanelTest, TheDelegateCanRefuseKeystrokesAndTheFourthDigit) {
    recorder_->keepFourth = false;
    host_->type("1234");
    EXPECT_EQ(panel_->myTextField()->text(), "123");
    EXPECT_EQ(boxes(*panel_, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    recorder_->acceptKeystrokes = false;
    panel_->clearPanel();
    host_->type("5");
    EXPECT_EQ(panel_->myTextField()->text(), "");
    EXPECT_EQ(boxes(*panel_, 0), (std::vector<std::string>{"", "", "", ""}));
}

TEST_F(PasscodePanelTest, PagesSlideIntoViewAndAreCleared) {
    host_->type("12");
    EXPECT_TRUE(panel_->nextPanel());
    EXPECT_EQ(panel_->currentPanel(), -320);
    EXPECT_EQ(panel_->myTextField()->text(), "");
    host_->advance(0.1);
    double halfway = panel_->containerView()->presentationFrame().origin.x;
    EXPECT_LT(halfway, 0);
    EXPECT_GT(halfway, -320);
    host_->advance(0.1);
    EXPECT_NEAR(panel_->containerView()->presentationFrame().origin.x, -320, 1e-6);

    host_->type("56");
    EXPECT_EQ(boxes(*panel_, -320), (std::vector<std::string>{"5", "6", "", ""}));
    EXPECT_EQ(panel_->page(0)->box(1)->text(), "1");
    EXPECT_TRUE(panel_->nextPanel());
    EXPECT_FALSE(panel_->nextPanel());
    EXPECT_EQ(panel_->currentPanel(), -640);
    EXPECT_TRUE(panel_->prevPanel());
    EXPECT_EQ(boxes(*panel_, -320), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_TRUE(panel_->prevPanel());
    EXPECT_FALSE(panel_->prevPanel());
    EXPECT_EQ(panel_->currentPanel(), 0);
    EXPECT_EQ(recorder_->shown, (std::vector<int>{0, -320, -640, -320, 0}));
    EXPECT_EQ(panel_->titleLabel(), panel_->page(0)->titleLabel());
}

} // namespace
} // namespace florelle::testing
