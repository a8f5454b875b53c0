// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/RunLoop.h"
#include "support/TestEnvironment.h"
#include "ui/Application.h"
#include "ui/Window.h"

#include <memory>

namespace florelle::testing {

// Times are seconds since 1970 in a double, so a moment in 2026 carries about
// a quarter microsecond of rounding: shown values are compared with a margin.
constexpr double shownTolerance = 1e-4;
void expectShown(Point actual, Point expected);
void expectShown(Size actual, Size expected);
void expectShown(const Rect& actual, const Rect& expected);
void expectShown(double actual, double expected);

// A diary test with an application and a 320 × 480 key window, and helpers
// to move the manual clock and to touch the screen.
class UiTest : public DiaryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Moves the clock and lets the run loop serve what became due.
    void advance(double seconds);

    // One finger: down, moves, up, each as its own event.
    std::shared_ptr<Touch> touchDown(Point location);
    void touchMove(const std::shared_ptr<Touch>& touch, Point location);
    void touchUp(const std::shared_ptr<Touch>& touch, Point location);
    void tap(Point location);

    std::unique_ptr<Application> application_;
    std::shared_ptr<Window> window_;

private:
    void send(const std::shared_ptr<Touch>& touch);
};

} // namespace florelle::testing
