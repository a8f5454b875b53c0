// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessHost.h"

#include "ViewTreeDump.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "ui/Animator.h"
#include "ui/Window.h"

#include <algorithm>

namespace florelle {

namespace {

// Makes the clock current before anything else of the host reads the time.
std::shared_ptr<ManualClock> installClock(Date start) {
    auto clock = std::make_shared<ManualClock>(start);
    Clock::setCurrent(clock);
    return clock;
}

} // namespace

HeadlessHost::HeadlessHost(std::shared_ptr<ApplicationDelegate> delegate, Date start, double scale,
                           std::unique_ptr<Application> application)
    : previousClock_(Clock::current()), clock_(installClock(start)), delegate_(std::move(delegate)),
      application_(application ? std::move(application) : std::make_unique<Application>()),
      scale_(scale), input_(*application_) {
    application_->setDelegate(delegate_);
}

HeadlessHost::~HeadlessHost() {
    // A finger still down is lifted off as cancelled: a control tracking it
    // and the touch holding that control would otherwise keep each other.
    input_.cancelAll();
    presentsFrames_ = false;
    application_->terminate();
    settle();
    Clock::setCurrent(previousClock_);
}

void HeadlessHost::launch(const LaunchOptions& options) {
    application_->launch(options);
    application_->activate();
    settle();
}

void HeadlessHost::settle() {
    RunLoop::current().runOnce();
    if (presentsFrames_ && screen_.needsRender(*application_)) {
        present();
    }
}

void HeadlessHost::advance(double seconds) {
    Date target = clock_->now().addingSeconds(std::max(seconds, 0.0));
    auto& loop = RunLoop::current();
    settle();
    // Each stop is at a timer's fire date, so a repeating timer fires once per
    // interval; a timer that keeps being due at once cannot hold the clock.
    for (int stop = 0; stop < 1'000'000; ++stop) {
        auto next = loop.nextTimerFireDate();
        if (!next || *next > target) {
            break;
        }
        if (*next > clock_->now()) {
            clock_->set(*next);
        }
        settle();
    }
    clock_->set(target);
    settle();
}

void HeadlessHost::tap(Point point) {
    input_.down(0, point);
    input_.up(0, point);
    settle();
}

void HeadlessHost::drag(Point from, Point to, int steps) {
    steps = std::max(steps, 1);
    input_.down(0, from);
    for (int step = 1; step <= steps; ++step) {
        advance(Animator::frameInterval);
        double part = static_cast<double>(step) / steps;
        input_.move(0, {from.x + (to.x - from.x) * part, from.y + (to.y - from.y) * part});
    }
    input_.up(0, to);
    settle();
}

void HeadlessHost::type(std::string_view text) {
    input_.insertText(text);
    settle();
}

void HeadlessHost::press(Key key) {
    input_.pressKey(key);
    settle();
}

LetterboxFit HeadlessHost::fit() const {
    Size shown = HostScreen::shownSize(*application_);
    return HostScreen::fitInto(
        pixelSize_.value_or(Size{shown.width * scale_, shown.height * scale_}), *application_);
}

const PixelRegion& HeadlessHost::present() {
    return screen_.present(*application_, fit());
}

Image HeadlessHost::render() {
    return screen_.renderImage(*application_, fit());
}

Image HeadlessHost::renderAfresh() {
    return screen_.renderAfresh(*application_, fit());
}

bool HeadlessHost::screenshot(const std::filesystem::path& path) {
    return screen_.savePng(*application_, fit(), path);
}

std::string HeadlessHost::dump() const {
    auto window = keyWindow();
    return window ? ViewTreeDump::describe(*window) : std::string();
}

} // namespace florelle
