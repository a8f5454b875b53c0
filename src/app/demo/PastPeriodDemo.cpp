// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastPeriodDemo.h"

#include "CalendarDemoScreen.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Clock.h"
#include "foundation/Paths.h"
#include "screens/MainViewController.h"
#include "storage/DatabaseController.h"
#include "ui/Button.h"
#include "ui/Window.h"

#include <functional>
#include <string>
#include <vector>

namespace florelle {

namespace {

constexpr double buttonWidth = 62;

// The demo runs on its own scratch diary; an unreadable one shows the epoch.
Date latestStart() {
    return Date(double(DatabaseController::getLatestStartDay().value_or(0)));
}

Date latestEnd() {
    return Date(double(DatabaseController::getLatestEndDay().value_or(0)));
}

bool periodOpen() {
    return PeriodEntry::currentMode().value_or(PeriodEntry::Mode::start) == PeriodEntry::Mode::end;
}

} // namespace

std::shared_ptr<PastPeriodDemo> PastPeriodDemo::create(const std::filesystem::path& scratch) {
    Paths::setDocumentsDirectory(scratch);
    Paths::setConfigDirectory(scratch / "config");
    return std::shared_ptr<PastPeriodDemo>(new PastPeriodDemo());
}

void PastPeriodDemo::updateFinshed() {
    CalendarDemoScreen::seedDiary(Clock::current()->now());
    FlorelleAppDelegate::updateFinshed();
    MainViewController& main = *mainViewController();
    auto now = [] { return Clock::current()->now(); };
    const std::vector<std::pair<std::string, std::function<void()>>> actions = {
        {"Add", [&main, now] { main.bringSummaryCalendarUp(now(), now(), 0, true, true); }},
        {"Edit",
         [&main] {
             if (DatabaseController::getLatestStartDay() != 0) {
                 main.bringSummaryCalendarUp(latestStart(), latestEnd(), 0, true, false);
             }
         }},
        {"Delete",
         [&main] {
             main.setCalSelectedDate(latestStart());
             main.deleteDate();
         }},
        {"Start",
         [&main, now] {
             if (periodOpen()) {
                 main.bringSummaryCalendarUp(latestStart(), Date(), 1, true, false);
             } else {
                 main.bringSummaryCalendarUp(now(), Date(), 1, true, true);
             }
         }},
        {"End",
         [&main] {
             if (periodOpen()) {
                 main.bringSummaryCalendarUp(latestStart(), Date(), 2, true, false);
             }
         }},
    };
    // Under the main screen's veil, so that the calendars and the veil that
    // comes with them cover the buttons.
    double x = 4;
    for (const auto& [title, action] : actions) {
        auto button = std::make_shared<Button>(Rect(x, 4, buttonWidth - 4, 26));
        button->setTitle(title);
        button->setTitleFont(Font::boldSystemFont(12));
        button->setBackgroundColor(Color(0.16, 0.18, 0.24, 0.85));
        button->onTouchUpInside = action;
        main.view()->insertSubviewBelow(button, &main.bigTranspView());
        x += buttonWidth;
    }
}

} // namespace florelle
