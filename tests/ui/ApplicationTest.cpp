// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTest.h"
#include "ui/TextField.h"
#include "ui/TextFieldDelegate.h"

#include <string>
#include <vector>

namespace florelle {
namespace {

class RecordingDelegate : public ApplicationDelegate {
public:
    bool didFinishLaunching(Application&, const LaunchOptions& options) override {
        steps.push_back(options.localNotification ? "launch from notification" : "launch");
        return true;
    }
    void didBecomeActive(Application&) override { steps.push_back("active"); }
    void willResignActive(Application&) override { steps.push_back("resign"); }
    void didEnterBackground(Application&) override { steps.push_back("background"); }
    void willEnterForeground(Application&) override { steps.push_back("foreground"); }
    void willTerminate(Application&) override { steps.push_back("terminate"); }

    std::vector<std::string> steps;
};

class ApplicationTest : public testing::UiTest {};

TEST_F(ApplicationTest, TheDelegateHearsEachStepOnceAndInOrder) {
    auto delegate = std::make_shared<RecordingDelegate>();
    application_->setDelegate(delegate);
    application_->launch({.localNotification = LocalNotification{}});
    application_->activate();
    application_->activate();
    application_->enterBackground();
    application_->enterBackground();
    application_->activate();
    application_->terminate();
    EXPECT_EQ(delegate->steps, (std::vector<std::string>{"launch from notification", "active",
                                                         "resign", "background", "foreground",
                                                         "active", "resign", "terminate"}));
    EXPECT_EQ(application_->state(), Application::State::notRunning);
}

TEST_F(ApplicationTest, ComingBackFromTheBackgroundLooksForTimeChanges) {
    int notices = 0;
    auto observation = NotificationCenter::defaultCenter().addObserver(
        NotificationCenter::significantTimeChangeNotification,
        [&](const Notification&) { ++notices; });
    application_->launch();
    application_->activate();
    application_->enterBackground();
    setTimeZone("Asia/Tokyo");
    application_->activate();
    EXPECT_EQ(notices, 1);
}

TEST_F(ApplicationTest, AGoneDelegateIsNotCalled) {
    auto delegate = std::make_shared<RecordingDelegate>();
    application_->setDelegate(delegate);
    delegate.reset();
    application_->launch();
    application_->activate();
    EXPECT_EQ(application_->state(), Application::State::active);
}

TEST_F(ApplicationTest, ASubclassSeesEveryEventBeforeDispatch) {
    class StatusBarWatcher : public Application {
    public:
        void sendEvent(const Event& event) override {
            double y = event.allTouches().front()->locationInWindow().y;
            if (y >= 1 && y < 20) {
                ++statusBarTouches;
            }
            Application::sendEvent(event);
        }
        int statusBarTouches = 0;
    };
    application_.reset();
    auto watcher = std::make_unique<StatusBarWatcher>();
    auto* watching = watcher.get();
    application_ = std::move(watcher);
    window_->makeKeyAndVisible();

    int windowTouches = 0;
    struct Counter : View {
        using View::View;
        int* count = nullptr;
        void touchesBegan(const Touches&, const Event&) override { ++*count; }
    };
    auto counter = std::make_shared<Counter>(Rect(0, 0, 320, 480));
    counter->count = &windowTouches;
    window_->addSubview(counter);

    tap(Point{100, 10});
    tap(Point{100, 0});
    tap(Point{100, 20});
    EXPECT_EQ(watching->statusBarTouches, 2) << "down and up of the first tap";
    EXPECT_EQ(windowTouches, 3);
}

TEST_F(ApplicationTest, FirstResponderIsHeldWeaklyAndClearedOnRemoval) {
    struct Field : View {
        using View::View;
        bool canBecomeFirstResponder() const override { return true; }
    };
    auto field = std::make_shared<Field>(Rect(0, 0, 100, 30));
    auto plain = std::make_shared<View>(Rect(0, 0, 100, 30));
    EXPECT_FALSE(field->becomeFirstResponder()) << "not in a window";
    window_->addSubview(field);
    window_->addSubview(plain);
    EXPECT_FALSE(plain->becomeFirstResponder());
    EXPECT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_EQ(application_->firstResponder(), field);
    field->removeFromSuperview();
    EXPECT_EQ(application_->firstResponder(), nullptr);
}

TEST_F(ApplicationTest, TerminatingEndsTheEditingInProgress) {
    struct Recorder : TextFieldDelegate {
        std::vector<std::string> ended;
        void textFieldDidEndEditing(TextField& field) override { ended.push_back(field.text()); }
    };
    auto recorder = std::make_shared<Recorder>();
    auto field = std::make_shared<TextField>(Rect(0, 0, 200, 30));
    field->delegate = recorder;
    window_->addSubview(field);
    application_->launch();
    application_->activate();
    ASSERT_TRUE(field->becomeFirstResponder());
    field->setText("half a note");
    application_->terminate();
    EXPECT_EQ(recorder->ended, std::vector<std::string>{"half a note"});
    EXPECT_EQ(application_->firstResponder(), nullptr);
}

} // namespace
} // namespace florelle
