// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

namespace florelle {

// The screen that hosts a month calendar.
class CalViewControllerDelegate {
public:
    virtual ~CalViewControllerDelegate() = default;
    // A day of the month on show was picked by touch: its local midnight.
    virtual void didSelectDate(Date date) = 0;
    // The calendar moved to another month by an arrow or a dim day; the date
    // is the newly selected day 1.
    virtual void reloadInfoForDate(Date date) = 0;
    // The grid's height after a month switch: 177, 221 or 265.
    virtual void changeCalSize(int height) = 0;
};

} // namespace florelle
