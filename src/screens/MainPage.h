// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"
#include "ui/Key.h"
#include "ui/ViewController.h"

namespace florelle {

// A page of the main screen's strip (charts, calendar, daily log, summary,
// forum, settings): a 320-point wide screen that the main screen scrolls
// into view and tells what happened. Each operation is what the main screen
// forwards to the page that owns it; a page overrides those it answers, the
// rest do nothing.
class MainPage : public ViewController {
public:
    // How much of a page the raised panel shows above the screen's bottom
    // edge; the page's view is taller, its foot out of sight.
    static constexpr double visibleHeight = 435;

    // Every page: close its help overlay if it is on show.
    virtual void dismissInfoView() {}
    // Pages with a help overlay: open it (the first visit of the page).
    virtual void infoBtnClicked() {}
    // Every page: a key that moves or acts while it is on show; true when used.
    virtual bool keyPressed(Key) { return false; }

    // Daily log.
    virtual void makeUsedDate(Date /*date*/) {}
    virtual void keyboardDownClicked() {}
    virtual void scrollToLeft() {}
    virtual void reloadCalendar() {}
    virtual void setSi(int /*units*/) {}
    virtual void flashHeaderScrollIndicators() {}

    // Calendar.
    virtual void setCalendarWithDate(Date /*date*/) {}
    virtual void setLastSelectedDate(Date /*date*/) {}

    // Summary.
    virtual void reloadEverything() {}
    virtual void makeDateArrays() {}
    virtual void setSkin(int /*skin*/) {}
    virtual void deselectCell() {}

    // Charts.
    virtual void changePeriodModeTo(int /*mode*/) {}
    virtual void reloadGraph() {}
    virtual void reloadButtons() {}

    // Forum.
    virtual void checkConnectivity() {}

    // Settings.
    virtual void reloadTables() {}
    virtual void popController() {}
    virtual void setNotification(int /*kind*/, int /*days*/) {}
    virtual void deselectSelectedCell() {}
};

} // namespace florelle
