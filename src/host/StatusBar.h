// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Timer.h"
#include "ui/View.h"

#include <memory>

namespace florelle {

class Label;

// The strip at the top of the screen that shows the local time (hours and
// minutes), kept right as the minutes pass. Hosts draw it over the
// application's window; it takes no touches.
class StatusBar : public View {
public:
    static constexpr double height = 20;

    explicit StatusBar(double width);

    // The time shown, such as "9:41".
    std::string timeText() const;
    // Reads the clock again and waits for the next minute.
    void update();

private:
    std::shared_ptr<Label> time_;
    Timer minuteTimer_;
};

} // namespace florelle
