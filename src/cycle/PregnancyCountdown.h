// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/TodayDisplay.h"
#include "foundation/Date.h"

namespace florelle {

// Pregnancy mode counts down 280 days from the day it was switched on, in
// local calendar days like every other count: the number changes at local
// midnight, whatever the time of day the mode was switched on.
class PregnancyCountdown {
public:
    static constexpr long long pregnancySeconds = 24192000; // 280 days

    // Local days from today to the expected birth day (280 days after the
    // stored start instant); negative once it has passed.
    static int daysToBirth(long long pregnantStart, Date now);
    // The number and caption in place of the period countdown; the cloud is
    // empty and the centre button is disabled.
    static TodayDisplay display(long long pregnantStart, Date now);
};

} // namespace florelle
