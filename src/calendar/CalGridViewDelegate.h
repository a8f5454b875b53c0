// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalDate.h"

namespace florelle {

// What the month grid and the header ask of the calendar controller.
class CalGridViewDelegate {
public:
    virtual ~CalGridViewDelegate() = default;
    // A day became the selected one; byTouch is true only when the finger
    // picked it (touch-down or touch-move on a day of the month on show).
    virtual void didSelectDate(const CalDate& date, bool byTouch) = 0;
    virtual void showPreviousMonth() = 0;
    virtual void showFollowingMonth() = 0;
    // The grid's new height in whole points after a month switch.
    virtual void changeCalSize(int height) = 0;
};

} // namespace florelle
