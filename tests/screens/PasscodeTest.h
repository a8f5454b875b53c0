// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/HeadlessHost.h"
#include "screens/PasscodeLock.h"
#include "support/TestEnvironment.h"
#include "ui/Window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

class PasscodeViewController;

namespace testing {

// The application as far as the passcode goes: a window holding whatever
// the test puts behind the lock, and the lock asked at every activation.
class LockingDelegate : public ApplicationDelegate {
public:
    bool didFinishLaunching(Application& application, const LaunchOptions& options) override;
    void didBecomeActive(Application& application) override;

    std::shared_ptr<Window> window;
    std::shared_ptr<PasscodeLock> lock = PasscodeLock::create();
};

// A headless host at 09:05 UTC on 1 March 2026 with a diary database.
class PasscodeTest : public DiaryTest {
protected:
    void TearDown() override;
    void launch();
    // Leaves the application and comes back: a new activation.
    void reactivate();

    // Taps the keys of the on-screen number pad ("<" for delete).
    void tapKeys(const std::string& keys);
    // Taps the Cancel button on the bar of a dialogue.
    void tapCancel(PasscodeViewController& panel);
    // What the digit boxes of the page hold.
    std::vector<std::string> boxes(PasscodeViewController& panel, int page);
    // The stored setting as text (empty optional: no row).
    std::optional<std::string> storedText();
    // The screen as PNG bytes: equal bytes, equal pictures.
    std::string screenBytes();
    // Saves the screen as <name>.png under FLORELLE_SCREENSHOT_DIR, when set.
    void keepScreenshot(const std::string& name);

    std::shared_ptr<LockingDelegate> delegate_;
    std::unique_ptr<HeadlessHost> host_;
};

} // namespace testing
} // namespace florelle
