// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/CalViewControllerDelegate.h"
#include "calendar/CalendarDataSource.h"
#include "ui/Label.h"
#include "ui/View.h"

#include <memory>

namespace florelle {

class CalViewController;

// A developer's screen for trying the month calendar: the calendar over the
// diary's marks below a 20-point status bar, and a line under the grid that
// names the last day picked by touch.
class CalendarDemoScreen : public View, public CalViewControllerDelegate {
public:
    explicit CalendarDemoScreen(const Rect& frame);

    // Builds the subviews; call once the screen is held by a shared_ptr.
    void build();

    // Logs two periods around `today` (the latest 12 days before it), with
    // notes and intimate days, unless the diary already holds periods.
    static void seedDiary(Date today);

    const std::shared_ptr<CalViewController>& calendar() const { return controller_; }
    const Label& pickLabel() const { return *pickLabel_; }

    void didSelectDate(Date date) override;
    void reloadInfoForDate(Date date) override;
    void changeCalSize(int height) override;

private:
    std::shared_ptr<CalendarDataSource> dataSource_;
    std::shared_ptr<CalViewController> controller_;
    std::shared_ptr<Label> pickLabel_;
};

} // namespace florelle
