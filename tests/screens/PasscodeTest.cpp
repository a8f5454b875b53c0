// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeTest.h"

#include "screens/PasscodePage.h"
#include "screens/PasscodeViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Keyboard.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace florelle::testing {

bool LockingDelegate::didFinishLaunching(Application&, const LaunchOptions&) {
    window = std::make_shared<Window>(Rect(0, 0, 320, 480));
    window->makeKeyAndVisible();
    return true;
}

void LockingDelegate::didBecomeActive(Application&) {
    lock->lockIfSet(*window);
}

void PasscodeTest::TearDown() {
    host_.reset();
    delegate_.reset();
    DiaryTest::TearDown();
}

void PasscodeTest::launch() {
    delegate_ = std::make_shared<LockingDelegate>();
    host_ = std::make_unique<HeadlessHost>(delegate_, Date(utcSeconds(2026, 3, 1, 9, 5)));
    host_->launch();
}

void PasscodeTest::reactivate() {
    host_->application().enterBackground();
    host_->application().activate();
    host_->advance(0);
}

void PasscodeTest::tapKeys(const std::string& keys) {
    auto keyboard = Keyboard::of(*host_->keyWindow());
    ASSERT_TRUE(keyboard && keyboard->isUp());
    ASSERT_EQ(keyboard->type(), KeyboardType::numberPad);
    for (char key : keys) {
        std::string label = key == '<' ? "⌫" : std::string(1, key);
        const Keyboard::Key* found = keyboard->keyLabelled(label);
        ASSERT_NE(found, nullptr) << label;
        host_->tap(keyboard->convertPointToWindow(Point{found->frame.midX(), found->frame.midY()}));
    }
}

void PasscodeTest::tapCancel(PasscodeViewController& panel) {
    auto* navigation = panel.navigationController();
    ASSERT_NE(navigation, nullptr);
    const auto& button = navigation->navigationBar()->leftButton();
    ASSERT_TRUE(button);
    Rect bounds = button->bounds();
    host_->tap(button->convertPointToWindow(Point{bounds.midX(), bounds.midY()}));
}

std::vector<std::string> PasscodeTest::boxes(PasscodeViewController& panel, int page) {
    std::vector<std::string> texts;
    for (int number = 1; number <= PasscodePage::digits; ++number) {
        texts.push_back(panel.page(page)->box(number)->text());
    }
    return texts;
}

std::optional<std::string> PasscodeTest::storedText() {
    return DatabaseController::getLocalPasscode().value();
}

std::string PasscodeTest::screenBytes() {
    auto path = documents_->path() / "screen.png";
    EXPECT_TRUE(host_->screenshot(path));
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void PasscodeTest::keepScreenshot(const std::string& name) {
    if (const char* folder = std::getenv("FLORELLE_SCREENSHOT_DIR")) {
        EXPECT_TRUE(host_->screenshot(std::filesystem::path(folder) / (name + ".png")));
    }
}

} // namespace florelle::testing
