// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

namespace florelle {

// What the start/end calendar over the centre asks of the screen it lies on.
class CenterCalendarDelegate {
public:
    virtual ~CenterCalendarDelegate() = default;
    // The calendar is done: `save` stores `date` as the period's first or
    // last day before it is lowered.
    virtual void bringCenterCalendarDown(Date date, bool save) = 0;
    // The month grid changed its height.
    virtual void changeCalSize(int height) = 0;
    // A pick was made: the screen's idle animation starts over.
    virtual void resetAnim() = 0;
};

} // namespace florelle
