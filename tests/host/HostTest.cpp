// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostTest.h"

#include <cmath>

namespace florelle::testing {

bool TreeDelegate::didFinishLaunching(Application&, const LaunchOptions&) {
    window = std::make_shared<Window>(Rect(0, 0, 320, 480));
    build_(*window);
    window->makeKeyAndVisible();
    return true;
}

void HostTest::launch(const std::function<void(Window&)>& build, double scale) {
    delegate_ = std::make_shared<TreeDelegate>(build);
    host_ = std::make_unique<HeadlessHost>(delegate_, Date(utcSeconds(2026, 3, 1, 9, 5)), scale);
    host_->launch();
}

void HostTest::TearDown() {
    host_.reset();
    delegate_.reset();
    DiaryTest::TearDown();
}

::testing::AssertionResult colorNear(const Color& actual, const Color& expected) {
    constexpr double tolerance = 0.03;
    if (std::abs(actual.redComponent() - expected.redComponent()) < tolerance &&
        std::abs(actual.greenComponent() - expected.greenComponent()) < tolerance &&
        std::abs(actual.blueComponent() - expected.blueComponent()) < tolerance &&
        std::abs(actual.alpha() - expected.alpha()) < tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << actual.redComponent() << ", " << actual.greenComponent() << ", "
           << actual.blueComponent() << ", " << actual.alpha() << ") is not ("
           << expected.redComponent() << ", " << expected.greenComponent() << ", "
           << expected.blueComponent() << ", " << expected.alpha() << ")";
}

} // namespace florelle::testing
