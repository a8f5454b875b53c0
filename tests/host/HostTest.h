// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/HeadlessHost.h"
#include "support/TestEnvironment.h"
#include "ui/Window.h"

#include <functional>
#include <memory>

namespace florelle::testing {

// Builds the window of a test at launch.
class TreeDelegate : public ApplicationDelegate {
public:
    explicit TreeDelegate(std::function<void(Window&)> build) : build_(std::move(build)) {}
    bool didFinishLaunching(Application&, const LaunchOptions&) override;
    std::shared_ptr<Window> window;

private:
    std::function<void(Window&)> build_;
};

// A headless host at 09:05 UTC on 1 March 2026, its window built by the test.
class HostTest : public DiaryTest {
protected:
    void launch(const std::function<void(Window&)>& build, double scale = 2);
    void TearDown() override;

    std::shared_ptr<TreeDelegate> delegate_;
    std::unique_ptr<HeadlessHost> host_;
};

// Each component (and alpha) within 0.03 of the expected colour.
::testing::AssertionResult colorNear(const Color& actual, const Color& expected);

} // namespace florelle::testing
