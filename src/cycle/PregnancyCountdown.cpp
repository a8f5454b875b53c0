#include "PregnancyCountdown.h"

#include <cmath>

namespace florelle {

int PregnancyCountdown::daysToBirth(long long pregnantStart, Date now) {
    auto left = static_cast<long long>(std::trunc(
        static_cast<double>(pregnantStart + pregnancySeconds) - now.timeIntervalSince1970()));
    return static_cast<int>(left / 86400);
}

TodayDisplay PregnancyCountdown::display(long long pregnantStart, Date now) {
    int days = daysToBirth(pregnantStart, now);
    TodayDisplay display;
    display.numberText = LocalizedText::number(days);
    display.captionText =
        LocalizedText("%@!", {days == 1 ? "Day to birth Key" : "Days to birth Key"});
    display.captionFont = {16, false};
    display.centerButtonEnabled = false;
    return display;
}

} // namespace florelle
