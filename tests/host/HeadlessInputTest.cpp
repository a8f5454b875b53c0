// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostTest.h"
#include "foundation/Timer.h"
#include "host/HostScript.h"
#include "host/ViewTreeDump.h"
#include "ui/Button.h"
#include "ui/Label.h"

#include <sstream>

namespace florelle::testing {
namespace {

// Keeps what it is typed.
class TextSink : public View {
public:
    using View::View;
    bool canBecomeFirstResponder() const override { return true; }
    void insertText(std::string_view text) override { text_ += text; }
    void deleteBackward() override {
        if (!text_.empty()) {
            text_.pop_back();
        }
    }
    std::string displayedText() const override { return text_; }

private:
    std::string text_;
};

class HeadlessInputTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        launch([this](Window& window) {
            button_ = std::make_shared<Button>(Rect(100, 200, 120, 44));
            button_->setTitle("Save");
            button_->onTouchUpInside = [this] { ++upInside_; };
            button_->onTouchUpOutside = [this] { ++upOutside_; };
            window.addSubview(button_);
            sink_ = std::make_shared<TextSink>(Rect(0, 300, 320, 40));
            window.addSubview(sink_);
        });
    }

    bool runScript(const std::string& text, std::string& error) {
        std::istringstream script(text);
        return HostScript(*host_, output_).run(script, error);
    }

    std::shared_ptr<Button> button_;
    std::shared_ptr<TextSink> sink_;
    int upInside_ = 0;
    int upOutside_ = 0;
    std::ostringstream output_;
};

TEST_F(HeadlessInputTest, ScriptedTapReachesTheButtonAndADragOutDoesNot) {
    std::string error;
    ASSERT_TRUE(runScript("tap 160 222\n", error)) << error;
    EXPECT_EQ(upInside_, 1);
    ASSERT_TRUE(runScript("drag 160 222 160 440\n", error)) << error;
    EXPECT_EQ(upInside_, 1);
    EXPECT_EQ(upOutside_, 1);
    ASSERT_TRUE(runScript("tap 10 100\n", error)) << error;
    EXPECT_EQ(upInside_ + upOutside_, 2) << "a tap elsewhere reaches no button";
}

TEST_F(HeadlessInputTest, TypingGoesToTheFirstResponderOnly) {
    host_->type("12");
    EXPECT_EQ(sink_->displayedText(), "") << "nobody is first responder yet";
    ASSERT_TRUE(sink_->becomeFirstResponder());
    std::string error;
    ASSERT_TRUE(runScript("type 1234\n", error)) << error;
    host_->input().deleteBackward();
    EXPECT_EQ(sink_->displayedText(), "123");
    // Enter is a new line while text is edited; the arrows are no text.
    ASSERT_TRUE(runScript("key enter\nkey left\ntype 4\n", error)) << error;
    EXPECT_EQ(sink_->displayedText(), "123\n4");
}

TEST_F(HeadlessInputTest, WaitStopsAtEveryTimerSoRepeatsDoNotBurst) {
    int fired = 0;
    std::vector<double> firedAt;
    Timer timer(0.25, true, [&] {
        ++fired;
        firedAt.push_back(host_->clock().now().timeIntervalSince1970());
    });
    std::string error;
    ASSERT_TRUE(runScript("wait 1\n", error)) << error;
    ASSERT_EQ(fired, 4);
    for (std::size_t index = 1; index < firedAt.size(); ++index) {
        EXPECT_NEAR(firedAt[index] - firedAt[index - 1], 0.25, 1e-6);
    }
}

TEST_F(HeadlessInputTest, DumpDescribesTheTree) {
    std::string error;
    ASSERT_TRUE(runScript("# the whole tree\n\ndump\n", error)) << error;
    EXPECT_EQ(output_.str(), "Window frame=(0,0,320,480) alpha=1 hidden=0\n"
                             "  Button frame=(100,200,120,44) alpha=1 hidden=0 text=\"Save\"\n"
                             "  TextSink frame=(0,300,320,40) alpha=1 hidden=0\n");
    sink_->setHidden(true);
    sink_->setAlpha(0.25);
    button_->setTitle("Say \"hi\"");
    EXPECT_NE(host_->dump().find("TextSink frame=(0,300,320,40) alpha=0.25 hidden=1"),
              std::string::npos);
    EXPECT_NE(host_->dump().find(R"(text="Say \"hi\"")"), std::string::npos);
}

TEST_F(HeadlessInputTest, FramesTellsWhatTheLastFrameLaidDown) {
    button_->setBackgroundColor(Color::white());
    std::string error;
    ASSERT_TRUE(runScript("frames\nframes\n", error)) << error;
    // The window, the button, the text sink, the status bar and its time.
    EXPECT_EQ(output_.str(), "frames 1, last damage 0,0 640x960, 5 views drawn\n"
                             "frames 1, last damage none, 0 views drawn\n");
    output_.str("");
    button_->setTitle("Keep");
    ASSERT_TRUE(runScript("frames\n", error)) << error;
    EXPECT_EQ(output_.str(), "frames 2, last damage 200,400 240x88, 1 views drawn\n");
}

TEST_F(HeadlessInputTest, BadScriptLinesStopWithTheirNumber) {
    struct Row {
        const char* line;
        const char* reason;
    };
    const Row rows[] = {
        {"tap 10", "tap needs X Y"},
        {"tap 10 20 30", "tap needs X Y"},
        {"tap ten 20", "tap needs X Y"},
        {"drag 1 2 3", "drag needs X1 Y1 X2 Y2"},
        {"wait -1", "wait needs a number of seconds, 0 or more"},
        {"wait soon", "wait needs a number of seconds, 0 or more"},
        {"wait nan", "wait needs a number of seconds, 0 or more"},
        {"screenshot", "screenshot needs a file name"},
        {"jump 1 2", "unknown command \"jump\""},
        {"key home", "key needs left, right, up, down, enter, pageup or pagedown"},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(runScript(std::string("tap 160 222\n") + row.line + "\ntap 160 222\n", error));
        EXPECT_EQ(error, std::string("line 2: ") + row.reason) << row.line;
    }
    EXPECT_EQ(upInside_, static_cast<int>(std::size(rows))) << "lines after a bad one do not run";
}

TEST_F(HeadlessInputTest, TerminatingTheHostTellsTheDelegateOnce) {
    struct Counting : ApplicationDelegate {
        int terminated = 0;
        int active = 0;
        void willTerminate(Application&) override { ++terminated; }
        void didBecomeActive(Application&) override { ++active; }
    };
    auto counting = std::make_shared<Counting>();
    {
        HeadlessHost host(counting, Date(0));
        host.launch();
        EXPECT_EQ(counting->active, 1);
        EXPECT_EQ(host.application().state(), Application::State::active);
    }
    EXPECT_EQ(counting->terminated, 1);
}

} // namespace
} // namespace florelle::testing
