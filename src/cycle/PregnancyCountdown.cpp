// SPDX-License-Identifier: GPL-3.0-or-later
#include "PregnancyCountdown.h"

#include "foundation/Calendar.h"

namespace florelle {

int PregnancyCountdown::daysToBirth(long long pregnantStart, Date now) {
    Date birth(static_cast<double>(pregnantStart + pregnancySeconds));
    return Calendar::current().daysFrom(now, birth);
}

TodayDisplay PregnancyCountdown::display(long long pregnantStart, Date now) {
    int days = daysToBirth(pregnantStart, now);
    TodayDisplay display;
    display.numberText = LocalizedText::number(days);
    display.captionText =
        LocalizedText("%@!", {LocalizedText::CountedKey{"Days to birth Key", days}});
    display.captionFont = {16, false};
    display.centerButtonEnabled = false;
    return display;
}

} // namespace florelle
