// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusBar.h"

#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "ui/Label.h"

#include <cmath>
#include <cstdio>

namespace florelle {

StatusBar::StatusBar(double width) : View(Rect(0, 0, width, height)) {
    setBackgroundColor(Color::black());
    setUserInteractionEnabled(false);
    time_ = std::make_shared<Label>(bounds());
    time_->setFont(Font::boldSystemFont(12));
    time_->setTextColor(Color::white());
    time_->setTextAlignment(TextAlignment::Center);
    addSubview(time_);
    update();
}

std::string StatusBar::timeText() const {
    return time_->text();
}

void StatusBar::update() {
    Date now = Clock::current()->now();
    DateComponents parts = Calendar::current().components(now);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", parts.hour, parts.minute);
    time_->setText(text);
    // Half a second past the minute, so that a timer firing a little early
    // still finds the new minute.
    double toNextMinute = 60 - parts.second -
                          (now.timeIntervalSince1970() - std::floor(now.timeIntervalSince1970())) +
                          0.5;
    minuteTimer_ = Timer(toNextMinute, false, [this] { update(); });
}

} // namespace florelle
