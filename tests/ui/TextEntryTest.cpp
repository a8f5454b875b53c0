// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "foundation/NotificationCenter.h"
#include "ui/Keyboard.h"
#include "ui/TextField.h"
#include "ui/TextView.h"

#include <cctype>
#include <string>
#include <vector>

namespace florelle {
namespace {

class FieldRecorder : public TextFieldDelegate {
public:
    bool textFieldShouldBeginEditing(TextField&) override { return allowBegin; }
    void textFieldDidBeginEditing(TextField&) override { events.push_back("begin"); }
    bool shouldChangeCharacters(TextField&, TextRange range, std::string_view text) override {
        changes.push_back({range, std::string(text)});
        if (digitsOnly) {
            for (char c : text) {
                if (!std::isdigit(static_cast<unsigned char>(c))) {
                    return false;
                }
            }
        }
        return true;
    }
    bool textFieldShouldReturn(TextField& field) override {
        events.push_back("return");
        field.resignFirstResponder();
        return true;
    }
    void textFieldDidEndEditing(TextField&) override { events.push_back("end"); }

    bool allowBegin = true;
    bool digitsOnly = false;
    std::vector<std::string> events;
    std::vector<std::pair<TextRange, std::string>> changes;
};

class TextEntryTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        field_ = std::make_shared<TextField>(Rect(20, 40, 280, 31));
        field_->delegate = recorder_;
        window_->addSubview(field_);
        showing_ = NotificationCenter::defaultCenter().addObserver(
            Keyboard::willShowNotification, [this](const Notification&) { ++shows_; },
            window_.get());
        hiding_ = NotificationCenter::defaultCenter().addObserver(
            Keyboard::willHideNotification, [this](const Notification&) { ++hides_; },
            window_.get());
    }

    void typeOnScreen(const std::string& labels) {
        auto keyboard = Keyboard::of(*window_);
        ASSERT_TRUE(keyboard);
        for (char c : labels) {
            const Keyboard::Key* key = keyboard->keyLabelled(std::string(1, c));
            ASSERT_NE(key, nullptr) << c;
            Point centre{key->frame.midX(), key->frame.midY()};
            tap(keyboard->convertPointToWindow(centre));
        }
    }

    std::shared_ptr<TextField> field_;
    std::shared_ptr<FieldRecorder> recorder_ = std::make_shared<FieldRecorder>();
    NotificationCenter::Observation showing_;
    NotificationCenter::Observation hiding_;
    int shows_ = 0;
    int hides_ = 0;
};

TEST_F(TextEntryTest, TheKeyboardComesAndGoesWithTheFirstResponder) {
    EXPECT_FALSE(Keyboard::of(*window_));
    tap(Point{100, 55});
    EXPECT_TRUE(field_->isFirstResponder());
    EXPECT_TRUE(field_->isEditing());
    auto keyboard = Keyboard::of(*window_);
    ASSERT_TRUE(keyboard);
    EXPECT_TRUE(keyboard->isUp());
    EXPECT_EQ(shows_, 1);
    EXPECT_EQ(Keyboard::coveredHeight(*window_), Keyboard::height);
    advance(Keyboard::slideDuration / 2);
    double middle = keyboard->presentationFrame().minY();
    EXPECT_GT(middle, 264);
    EXPECT_LT(middle, 480);
    advance(Keyboard::slideDuration);
    testing::expectShown(keyboard->presentationFrame(), Rect(0, 264, 320, 216));

    field_->resignFirstResponder();
    EXPECT_FALSE(keyboard->isUp());
    EXPECT_EQ(hides_, 1);
    EXPECT_EQ(Keyboard::coveredHeight(*window_), 0);
    advance(Keyboard::slideDuration + 0.1);
    testing::expectShown(keyboard->presentationFrame(), Rect(0, 480, 320, 216));
    EXPECT_TRUE(keyboard->isHidden());
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"begin", "end"}));
}

TEST_F(TextEntryTest, MovingBetweenFieldsKeepsTheKeyboardUpAndSwitchesItsKeys) {
    auto number = std::make_shared<TextField>(Rect(20, 100, 280, 31));
    number->setKeyboardType(KeyboardType::numberPad);
    window_->addSubview(number);
    tap(Point{100, 55});
    EXPECT_EQ(Keyboard::of(*window_)->type(), KeyboardType::standard);
    tap(Point{100, 115});
    EXPECT_TRUE(number->isFirstResponder());
    EXPECT_FALSE(field_->isEditing());
    EXPECT_EQ(Keyboard::of(*window_)->type(), KeyboardType::numberPad);
    EXPECT_NE(Keyboard::of(*window_)->keyLabelled("7"), nullptr);
    EXPECT_EQ(shows_, 1);
    EXPECT_EQ(hides_, 0);
}

TEST_F(TextEntryTest, ASecureFieldShowsDotsAndGivesTheText) {
    field_->setSecureTextEntry(true);
    tap(Point{100, 55});
    advance(Keyboard::slideDuration);
    typeOnScreen("abc");
    field_->insertText("\u00e9");
    EXPECT_EQ(field_->text(), "abc\u00e9");
    EXPECT_EQ(field_->displayedText(), "\u2022\u2022\u2022\u2022");
    field_->deleteBackward();
    EXPECT_EQ(field_->text(), "abc");
    EXPECT_EQ(field_->displayedText(), "\u2022\u2022\u2022");
}

TEST_F(TextEntryTest, ShiftTypesOneCapitalAndBackspaceAndReturnWork) {
    tap(Point{100, 55});
    auto keyboard = Keyboard::of(*window_);
    const Keyboard::Key* shift = keyboard->keyLabelled("\u21e7");
    ASSERT_NE(shift, nullptr);
    tap(keyboard->convertPointToWindow(Point{shift->frame.midX(), shift->frame.midY()}));
    typeOnScreen("hi");
    EXPECT_EQ(field_->text(), "Hi");
    const Keyboard::Key* back = keyboard->keyLabelled("\u232b");
    tap(keyboard->convertPointToWindow(Point{back->frame.midX(), back->frame.midY()}));
    EXPECT_EQ(field_->text(), "H");
    const Keyboard::Key* enter = keyboard->keyLabelled("return");
    tap(keyboard->convertPointToWindow(Point{enter->frame.midX(), enter->frame.midY()}));
    EXPECT_EQ(field_->text(), "H");
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"begin", "return", "end"}));
    EXPECT_FALSE(keyboard->isUp());
}

TEST_F(TextEntryTest, TheDelegateSeesEachChangeWithItsRange) {
    field_->setText("ab");
    tap(Point{100, 55});
    field_->insertText("c");
    field_->deleteBackward();
    ASSERT_EQ(recorder_->changes.size(), 2u);
    EXPECT_EQ(recorder_->changes[0].first, (TextRange{2, 0}));
    EXPECT_EQ(recorder_->changes[0].second, "c");
    EXPECT_EQ(recorder_->changes[1].first, (TextRange{2, 1}));
    EXPECT_EQ(recorder_->changes[1].second, "");
}

TEST_F(TextEntryTest, PastingIntoANumberFieldKeepsWhatTheDelegateAccepts) {
    recorder_->digitsOnly = true;
    field_->setKeyboardType(KeyboardType::numberPad);
    tap(Point{100, 55});
    struct Case {
        const char* pasted;
        const char* kept;
    } cases[] = {
        {"123", "123"}, {"4a5", "12345"}, {"x", "12345"}, {"six", "12345"}, {"\n", "12345"},
    };
    for (const auto& row : cases) {
        field_->insertText(row.pasted);
        EXPECT_EQ(field_->text(), row.kept) << row.pasted;
    }
}

TEST_F(TextEntryTest, AFieldTheDelegateKeepsClosedDoesNotEdit) {
    recorder_->allowBegin = false;
    tap(Point{100, 55});
    EXPECT_FALSE(field_->isFirstResponder());
    EXPECT_FALSE(Keyboard::of(*window_));
}

class ViewRecorder : public TextViewDelegate {
public:
    bool shouldChangeText(TextView&, TextRange, std::string_view text) override {
        return text != "!";
    }
    void textViewDidChange(TextView&) override { ++changes; }
    int changes = 0;
};

TEST_F(TextEntryTest, ATextViewGrowsWithItsLinesAndKeepsTheEndInSight) {
    auto notes = std::make_shared<TextView>(Rect(10, 200, 300, 100));
    auto recorder = std::make_shared<ViewRecorder>();
    notes->textDelegate = recorder;
    window_->addSubview(notes);
    tap(Point{100, 250});
    EXPECT_TRUE(notes->isFirstResponder());
    EXPECT_TRUE(Keyboard::of(*window_)->isUp());
    for (int line = 0; line < 10; ++line) {
        notes->insertText("line\n");
    }
    notes->insertText("!");
    EXPECT_EQ(recorder->changes, 10);
    EXPECT_GT(notes->contentSize().height, 200);
    EXPECT_EQ(notes->contentOffset().y, notes->maximumContentOffset().y);
    notes->deleteBackward();
    EXPECT_EQ(notes->text().size(), 49u);

    notes->setEditable(false);
    EXPECT_FALSE(notes->isFirstResponder());
    notes->insertText("more");
    EXPECT_EQ(notes->text().size(), 49u);
}

} // namespace
} // namespace florelle
