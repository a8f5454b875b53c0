// SPDX-License-Identifier: GPL-3.0-or-later
#include "TodayStatus.h"

#include "cycle/CycleRules.h"
#include "cycle/PregnancyCountdown.h"
#include "foundation/Calendar.h"

#include <algorithm>

namespace florelle {

namespace {

const char* const neutralPicture = "center0_%d.png";
const char* const fertilePicture = "center1_%d.png";
const char* const periodPicture = "center2_%d.png";

Date storedDate(long long seconds) {
    return Date(static_cast<double>(seconds));
}

} // namespace

TodayDisplay TodayStatus::compute(const Inputs& in) {
    return in.pregnant ? PregnancyCountdown::display(in.pregnantStart, in.now) : status(in);
}

TodayDisplay TodayStatus::remainingDaysCenter(int remainingDays) {
    TodayDisplay display;
    display.numberFont = FontSpec{48, true};
    display.captionFont = {22, false};
    display.captionOrigin = Origin{87, 175};
    int shown = std::max(remainingDays, 0);
    display.numberText = LocalizedText::number(shown);
    display.captionText = LocalizedText::counted("days left Key", shown);
    return display;
}

TodayDisplay TodayStatus::status(const Inputs& in) {
    int r = in.remainingDays;
    if (in.diaryEmpty) {
        // No number: "0 days left" would read as a period due today.
        TodayDisplay display = remainingDaysCenter(0);
        display.numberText = LocalizedText("–", {});
        display.captionText = LocalizedText();
        display.cloudText = LocalizedText::key("Select your start date Key");
        display.centerPicture = neutralPicture;
        return display;
    }
    if (r == 0) {
        TodayDisplay display = remainingDaysCenter(r);
        display.cloudText = LocalizedText::key("Select your start date Key");
        display.centerPicture = neutralPicture;
        return display;
    }
    Calendar calendar = Calendar::current();
    if (!in.noPeriodOpen) {
        // Counted in local days from the start, so the first day is day 1 in
        // every zone, however long the period has been open.
        int day = calendar.daysFrom(storedDate(in.latestStart), in.now) + 1;
        TodayDisplay display;
        display.cloudText = LocalizedText("%@ %d", {"Period day Key", day});
        display.numberText = LocalizedText::key("Period Key");
        display.numberFont = FontSpec{30, true};
        display.captionText = LocalizedText::key("(ended?) Key");
        display.captionFont = {13, false};
        display.captionOrigin = Origin{87, 160};
        display.centerPicture = periodPicture;
        return display;
    }
    TodayDisplay display = remainingDaysCenter(r);
    if (r < 0) {
        int late = r + in.cycleLength;
        display.cloudText = LocalizedText(
            "%@ %d %@!", {"Period is Key", late, LocalizedText::CountedKey{"days Late Key", late}});
        display.centerPicture = neutralPicture;
        return display;
    }
    int sinceStart = in.cycleLength - r;
    if (sinceStart == in.ovulationDay) {
        display.cloudText = LocalizedText::key("It's your ovulation day Key");
        display.centerPicture = fertilePicture;
        return display;
    }
    // The status keeps the regular cycle's window, the days that follow the
    // latest period, whatever the cycle length.
    int periodDays = calendar.daysFrom(storedDate(in.latestStart), storedDate(in.latestEnd));
    if (sinceStart - 1 >= periodDays + CycleRules::fertileWindowDays) {
        display.cloudText = LocalizedText::key("Regular day Key");
        display.centerPicture = neutralPicture;
    } else {
        display.cloudText = LocalizedText::key("Your fertile window is active Key");
        display.centerPicture = fertilePicture;
    }
    return display;
}

TodayStatus::CloudLayout TodayStatus::layoutCloud(double textWidth) {
    if (textWidth > cloudWrapWidth) {
        return {20, 45, 225, 35, 2};
    }
    return {20, 40, 225, 25, 1};
}

} // namespace florelle
