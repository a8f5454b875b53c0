#pragma once

#include "cycle/TodayDisplay.h"
#include "foundation/Date.h"

namespace florelle {

// Pregnancy mode counts down 280 days from the moment it was switched on.
class PregnancyCountdown {
public:
    static constexpr long long pregnancySeconds = 24192000; // 280 days

    // Whole days (truncated) until the expected birth instant.
    static int daysToBirth(long long pregnantStart, Date now);
    // The number and caption in place of the period countdown; the cloud is
    // empty and the centre button is disabled.
    static TodayDisplay display(long long pregnantStart, Date now);
};

} // namespace florelle
